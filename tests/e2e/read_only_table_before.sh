# The ship table cannot be written.
chmod a-w types/TShips.txt
