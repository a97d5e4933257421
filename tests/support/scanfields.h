// Every list and value a scan gives, in one fixed order, so two scans compare with one QCOMPARE.
// Header-only: the fuzz targets, which build only the core sources, use it as well.
#pragma once

#include "html/HTMLParser.h"

#include <QList>
#include <QStringList>

inline QList<QStringList> ScanFields(const THTMLParser& p) {
    return {p.HyperLinks(),
            p.Applets(),
            p.AreaLinks(),
            p.AnchorNames(),
            p.CssClasses(),
            p.Embeds(),
            p.FormNames(),
            p.Frames(),
            p.Images(),
            p.Objects(),
            p.Scripts(),
            p.StyleSheets(),
            {p.PageTitle(), p.Generator(), p.Author(), p.Keywords(), p.Description()}};
}
