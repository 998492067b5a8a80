# A name page as modders write it: Ястреб's name with the XML entities, a
# numeric reference, an emoji and a sign that Windows-1251 lacks; Кузница's
# with a decimal reference to a Cyrillic letter and a bad reference.
set -e
sed -i 's|<t id="1002">Ястреб</t>|<t id="1002">Ястреб \&amp; \&quot;Сокол\&quot; 🚀 \&#x2014; ☺\&#8470;7</t>|' t/70001.xml
sed -i 's|<t id="5003">Кузница</t>|<t id="5003">\&#1050;узница \&bad; \&#0;</t>|' t/70001.xml
grep -q '&quot;Сокол&quot; 🚀' t/70001.xml
grep -q '&#1050;узница' t/70001.xml
