// libFuzzer target for the workspace reader: any bytes must read as a
// workspace or fail with the program's own error, and either way leave the
// process's file-name tables as they were. What reads is written back window
// by window, and each window element must read again into the same state.
#include "FileNames.h"
#include "Workspace.h"
#include "XmlNode.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

// Writes the window's element and reads it back.
bool SurvivesAgain(const TWorkspaceForm& form, int fileCount)
{
    const IXmlDocument document = NewXmlDocument();
    TXmlNode& node = *document->AddElement(u"Form"_s);
    if (const auto* text = std::get_if<TTextFormState>(&form)) {
        WriteTextForm(node, *text);
        const TTextFormState again = ReadTextForm(node);
        return again.FileName == text->FileName && again.Place == text->Place;
    }
    const auto& results = std::get<TResultsFormState>(form);
    WriteResultsForm(node, results.Place, results.Title, results.XAxisTitle, results.BinSet,
                     results.ShowExpected);
    const TResultsFormState again = ReadResultsForm(node, fileCount);
    return again.Place == results.Place && again.Title == results.Title &&
           again.XAxisTitle == results.XAxisTitle && again.BinSet == results.BinSet &&
           again.ShowExpected == (results.ShowExpected && !results.BinSet.Baseline.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qsizetype cached = FileNameCache().Names().size();
    LoadedFileNames() = {u"kept"_s};
    const IXmlDocument document = NewXmlDocument();
    TWorkspace workspace;
    bool read = true;
    try {
        document->LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        workspace = ReadWorkspaceDocument(*document);
    } catch (const TError&) {
        read = false;
    }
    if (FileNameCache().Names().size() != cached || LoadedFileNames() != QStringList{u"kept"_s})
        std::abort();
    if (!read)
        return 0;
    const int fileCount = static_cast<int>(workspace.FileNames.size());
    for (const TWorkspaceForm& form : workspace.Forms) {
        if (!SurvivesAgain(form, fileCount))
            std::abort();
    }
    return 0;
}
