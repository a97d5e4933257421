// The kind of entry that the site model's listing and the directory scanner report.
#pragma once

enum TDirectoryFileType { dftDirectory = 0, dftFile = 1 };
