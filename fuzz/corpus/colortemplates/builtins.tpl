Default#ffffff#000000#0000ff#ff0000#800080
Elegant#ffffff#000000#808080#c0c0c0#000000
Orange#ffffff#000000#ff8000#000000#804000
