# No missile and no station table; the name page is t/440001.xml, and a folder
# stands where t/70001.xml would be.
rm types/TRockets.txt types/TFactories.txt
mv t/70001.xml t/440001.xml
mkdir t/70001.xml
