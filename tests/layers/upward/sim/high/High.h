// The high layer.
