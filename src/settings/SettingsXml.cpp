// The XML form of the settings: one element per setting, named after its
// field, with the value in the attribute "Value"; the tag starts and the two
// lists as elements with one "Item" child per entry. Writer and reader both
// walk the table of fields.

#include "SettingsFields.h"
#include "SettingsLimits.h"
#include "TAppSettings.h"
#include "XmlNode.h"

#include <algorithm>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

const QString Value = u"Value"_s;

// The 17 delimiters of a settings file written before the hyphen, low line,
// equals sign and plus sign became delimiters.
const QString OlderWordDelimiters = u",. ;/\\:'\"`~()[]{}"_s;

// Indexes into SettingsFields in the order they are read: the written order,
// with each field that names ReadBefore moved just before that field.
constexpr auto ReadingOrder = [] {
    std::array<std::size_t, std::size(SettingsFields)> order{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!SettingsFields[i].ReadBefore)
            order[count++] = i;
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!SettingsFields[i].ReadBefore)
            continue;
        const auto end = order.begin() + count;
        const auto at = std::find_if(order.begin(), end, [i](std::size_t k) {
            return SettingsFields[k].Member == *SettingsFields[i].ReadBefore;
        });
        // A throw here makes the table fail to compile.
        if (at == end)
            throw "ReadBefore names no field read in place";
        std::copy_backward(at, end, end + 1);
        *at = i;
        ++count;
    }
    return order;
}();

QString ItemName(std::size_t index)
{
    return u"Item"_s + QString::number(index);
}

void WriteValue(TXmlNode& element, const QString& text)
{
    element.WriteAttr(Value, text);
}

void WriteValue(TXmlNode& element, int number)
{
    element.WriteIntAttr(Value, number);
}

void WriteValue(TXmlNode& element, bool flag)
{
    element.WriteBoolAttr(Value, flag);
}

template <class TTexts>
void WriteValue(TXmlNode& element, const TTexts& texts)
{
    std::size_t index = 0;
    for (const QString& text : texts)
        element.AddElement(ItemName(index++))->WriteAttr(Value, text);
}

void ReadValue(TXmlNode& element, QString& text)
{
    text = element.ReadAttr(Value, QString());
}

void ReadValue(TXmlNode& element, int& number)
{
    number = element.ReadIntAttr(Value, 0);
}

void ReadValue(TXmlNode& element, bool& flag)
{
    flag = element.ReadBoolAttr(Value, false);
}

void ReadValue(TXmlNode& element, std::array<QString, 4>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = element.FindOrAddChild(ItemName(i))->ReadAttr(Value, QString());
}

void ReadValue(TXmlNode& element, QStringList& texts)
{
    texts.clear();
    for (int i = 0; i < element.Children().Count(); ++i)
        texts.append(element.Children().Item(i)->ReadAttr(Value, QString()));
}

bool HasValue(const TXmlNode& element)
{
    for (int i = 0; i < element.AttrCount(); ++i) {
        if (element.AttrName(i) == Value)
            return true;
    }
    return false;
}

// Read in 64 bits, so that a number too large for its field is reported as
// out of range like any other.
void ReadValue(TXmlNode& element, int& number, const TSettingsField& field)
{
    const std::int64_t value = element.ReadInt64Attr(Value, 0);
    if (!field.Range->Holds(value))
        throw TSettingsError::OutOfRange(QString::number(value), field.Name, *field.Range);
    number = static_cast<int>(value);
}

void ReadValue(TXmlNode& element, QString& text, const TSettingsField& field)
{
    ReadValue(element, text);
    if (!field.Range)
        return;
    const QString outside = PositionOutsideRange(text, *field.Range);
    if (!outside.isEmpty())
        throw TSettingsError::PositionOutOfRange(outside, field.Name, *field.Range);
}

template <class TValue>
void ReadValue(TXmlNode& element, TValue& value, const TSettingsField&)
{
    ReadValue(element, value);
}

// Reads the fields one by one into settings, each with its fall-back.
class TFieldReader {
public:
    TFieldReader(TXmlNode& element, TAppSettings& settings)
        : Element(element)
        , Settings(settings)
    {}

    void Read(const TSettingsField& field)
    {
        const QString name = field.Name.toString();
        switch (field.FallBack) {
        case TSettingsFallBack::None:
            ReadChecked(field);
            break;
        case TSettingsFallBack::OlderDelimiters:
            ReadDelimiters(name, std::get<QString TAppSettings::*>(field.Member));
            break;
        case TSettingsFallBack::FalseWhenInvalid:
            ReadOrFalse(name, std::get<bool TAppSettings::*>(field.Member));
            break;
        case TSettingsFallBack::AllTrueWhenOneFails:
            ReadGroupFlag(name, std::get<bool TAppSettings::*>(field.Member));
            break;
        }
    }

private:
    void ReadPlain(const QString& name, const TSettingsMember& member)
    {
        const IXmlNode element = Element.FindOrAddChild(name);
        std::visit([&](auto field) { ReadValue(*element, Settings.*field); }, member);
    }

    // A missing element or value reads as 0 or an empty text, which is not
    // checked.
    void ReadChecked(const TSettingsField& field)
    {
        const IXmlNode element = Element.FindChild(field.Name.toString());
        if (!element || !HasValue(*element)) {
            ReadPlain(field.Name.toString(), field.Member);
            return;
        }
        std::visit([&](auto member) { ReadValue(*element, Settings.*member, field); },
                   field.Member);
    }

    void ReadDelimiters(const QString& name, QString TAppSettings::*field)
    {
        const IXmlNode element = Element.FindChild(name);
        Settings.*field = element ? element->ReadAttr(Value, QString()) : OlderWordDelimiters;
    }

    void ReadOrFalse(const QString& name, bool TAppSettings::*field)
    {
        try {
            ReadPlain(name, field);
        } catch (const TXmlError&) {
            Settings.*field = false;
        }
    }

    // After the group has failed, the rest of it is not read.
    void ReadGroupFlag(const QString& name, bool TAppSettings::*field)
    {
        if (GroupFailed)
            return;
        try {
            Settings.*field = Element.RequireChild(name)->ReadBoolAttr(Value, false);
        } catch (const TXmlError&) {
            GroupFailed = true;
            for (const TSettingsField& other : SettingsFields) {
                if (other.FallBack == TSettingsFallBack::AllTrueWhenOneFails)
                    Settings.*std::get<bool TAppSettings::*>(other.Member) = true;
            }
        }
    }

    TXmlNode& Element;
    TAppSettings& Settings;
    bool GroupFailed = false;
};

} // namespace

void TAppSettings::ToXml(TXmlDocument& document) const
{
    const IXmlNode settings = document.FindOrAddChild(u"Settings"_s);
    settings->ClearChildren();
    for (const TSettingsField& field : SettingsFields) {
        const IXmlNode element = settings->AddElement(field.Name.toString());
        std::visit([&](auto member) { WriteValue(*element, this->*member); }, field.Member);
    }
}

void TAppSettings::FromXml(TXmlDocument& document)
{
    const IXmlNode settings = document.FindOrAddChild(u"Settings"_s);
    TFieldReader reader(*settings, *this);
    for (std::size_t index : ReadingOrder)
        reader.Read(SettingsFields[index]);
}
