// placeholder until the first file of this library lands
