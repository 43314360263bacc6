// removed once the first window lands
