#include "WindowPlace.h"

#include "XmlNode.h"

using namespace Qt::StringLiterals;

void WritePlace(TXmlNode& node, const TWindowPlace& place)
{
    node.WriteIntAttr(u"Left"_s, place.Left);
    node.WriteIntAttr(u"Top"_s, place.Top);
    node.WriteIntAttr(u"Width"_s, place.Width);
    node.WriteIntAttr(u"Height"_s, place.Height);
    node.WriteIntAttr(u"WindowState"_s, place.WindowState);
}

// A maximised window fills the client area whatever its frame, which is
// therefore not read.
TWindowPlace ReadPlace(const TXmlNode& node)
{
    TWindowPlace place;
    place.WindowState = node.ReadIntAttr(u"WindowState"_s, 0);
    if (place.WindowState == TWindowPlace::wsMaximized)
        return place;
    place.Left = node.ReadIntAttr(u"Left"_s, 0);
    place.Top = node.ReadIntAttr(u"Top"_s, 0);
    place.Width = node.ReadIntAttr(u"Width"_s, 0);
    place.Height = node.ReadIntAttr(u"Height"_s, 0);
    return place;
}
