# Parses an SVG chart with a real XML parser (a malformed file fails here)
# and prints what the chart tests check: whether the root is an SVG element,
# the title, then one line per register: its name and the point count of
# each of its polylines.
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.w3.org/2000/svg}"
root = ET.parse(sys.argv[1]).getroot()
print(root.tag == NS + "svg", root.findtext(NS + "title"))
for group in root.iter(NS + "g"):
    name = group.get("data-register")
    if name:
        counts = [str(len(line.get("points").split())) for line in group.iter(NS + "polyline")]
        print(name, " ".join(counts))
