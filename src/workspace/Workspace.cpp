#include "Workspace.h"

#include "XmlNode.h"

#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int FormatVersion = 2;

// The document of a large workspace is millions of small blocks, which the
// allocator would otherwise keep for the process once they are freed.
class TReturnFreedMemory {
public:
    TReturnFreedMemory() = default;
    TReturnFreedMemory(const TReturnFreedMemory&) = delete;
    TReturnFreedMemory& operator=(const TReturnFreedMemory&) = delete;
    ~TReturnFreedMemory() { malloc_trim(0); }
};

// A top-level element emptied of whatever it held.
TXmlNode& EmptyTopLevel(TXmlDocument& document, const QString& name)
{
    TXmlNode& node = *document.FindOrAddChild(name);
    node.ClearChildren();
    node.ClearAttrs();
    return node;
}

// The paths that the children of a list element hold, whatever their names.
QStringList FileNamesOf(const TXmlNode& list)
{
    QStringList names;
    const TXmlNodeList& children = list.Children();
    for (int i = 0; i < children.Count(); ++i)
        names.append(children.Item(i)->ReadAttr(u"FileName"_s, QString()));
    return names;
}

// Window elements are told apart by their names without regard to the case
// of a to z.
QString UpperAsciiLetters(QString name)
{
    for (QChar& c : name) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return name;
}

// A results window's matches are freed from the tree as soon as they are
// read, so that the tree and the bin sets are not held in full at once.
void ReadForms(TXmlNode& forms, TWorkspace& workspace)
{
    const int savedFileCount = static_cast<int>(workspace.FileNames.size());
    const TXmlNodeList& children = forms.Children();
    for (int i = 0; i < children.Count(); ++i) {
        TXmlNode& form = *children.Item(i);
        const QString kind = UpperAsciiLetters(form.Name());
        if (kind == u"TEXTFORM"_s) {
            workspace.Forms.emplace_back(ReadTextForm(form));
        } else if (kind == u"RESULTSFORM"_s) {
            workspace.Forms.emplace_back(ReadResultsForm(form, savedFileCount));
            form.ClearChildren();
        }
    }
}

} // namespace

TOldWorkspaceError::TOldWorkspaceError()
    : TError(u"Selected file belongs to older version of Tamborix - it can not be loaded."_s)
{}

TWorkspace ReadWorkspace(const QString& path)
{
    const TReturnFreedMemory afterwards;
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(path);
    return ReadWorkspaceDocument(*document);
}

TWorkspace ReadWorkspaceDocument(TXmlDocument& document)
{
    TWorkspace workspace;
    workspace.Settings.SetDefaults();
    workspace.Settings.FromXml(document);
    if (document.FindOrAddChild(u"General"_s)->ReadIntAttr(u"Version"_s, 0) < FormatVersion)
        throw TOldWorkspaceError();
    workspace.FileNames = FileNamesOf(*document.FindOrAddChild(u"FNCache"_s));
    ReadForms(*document.FindOrAddChild(u"Forms"_s), workspace);
    workspace.Corpus = FileNamesOf(*document.FindOrAddChild(u"Corpus"_s));
    return workspace;
}

void SaveWorkspace(const QString& path, const TAppSettings& settings, const QStringList& fileNames,
                   const TFormsWriter& writeForms, const QStringList& corpus)
{
    const TReturnFreedMemory afterwards;
    const IXmlDocument document = NewXmlDocument();
    settings.ToXml(*document);
    document->FindOrAddChild(u"General"_s)->WriteIntAttr(u"Version"_s, FormatVersion);
    TXmlNode& cache = EmptyTopLevel(*document, u"FNCache"_s);
    for (const QString& name : fileNames)
        cache.AddElement(u"CI"_s)->WriteAttr(u"FileName"_s, name);
    writeForms(EmptyTopLevel(*document, u"Forms"_s));
    TXmlNode& corpusNode = EmptyTopLevel(*document, u"Corpus"_s);
    for (const QString& name : corpus)
        corpusNode.AddElement(u"CorpusItem"_s)->WriteAttr(u"FileName"_s, name);
    document->SaveToFile(path);
}
