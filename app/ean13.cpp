// placeholder until the encoder lands
