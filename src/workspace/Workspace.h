// A workspace file keeps a working state so that it can be taken up again:
// the settings, the file-name table that saved matches refer to, the text and
// results windows with their places and complete results, and the corpus.
#pragma once

#include "Error.h"
#include "TAppSettings.h"
#include "WindowForms.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <variant>
#include <vector>

class TXmlDocument;
class TXmlNode;

using TWorkspaceForm = std::variant<TTextFormState, TResultsFormState>;

struct TWorkspace {
    TAppSettings Settings;
    // The file-name table saved with the results: a match's file index is a
    // position here.
    QStringList FileNames;
    std::vector<TWorkspaceForm> Forms; // in the file's order
    QStringList Corpus;                // the corpus files' paths, in corpus order
};

// A workspace written by an older version of the program.
class TOldWorkspaceError : public TError {
public:
    TOldWorkspaceError();
};

// Reads the whole file and checks every value in it, and changes nothing of
// the process on the way: the matches keep their saved file indexes into
// FileNames (see TBinSet::MapSavedFileNames). Elements of Forms other than
// text and results windows are left out. Throws TFileError when the file
// cannot be read, TXmlError for malformed content, TError for a value that
// does not convert or a match index outside FileNames, and TOldWorkspaceError.
TWorkspace ReadWorkspace(const QString& path);
// The same for a document read already; it takes the document's matches
// apart as it goes.
TWorkspace ReadWorkspaceDocument(TXmlDocument& document);

// Fills the element "Forms" with the elements of the windows to keep.
using TFormsWriter = std::function<void(TXmlNode& forms)>;

// Writes a workspace file: the settings, the format version, the file-name
// table, the windows and the corpus. The old file is replaced only when the
// new one is complete. Throws TFileError.
void SaveWorkspace(const QString& path, const TAppSettings& settings, const QStringList& fileNames,
                   const TFormsWriter& writeForms, const QStringList& corpus);
