# No name page: neither t/70001.xml nor t/440001.xml (a folder of that name
# does not count).
rm t/70001.xml
mkdir t/440001.xml
