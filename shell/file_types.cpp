#include "shell/file_types.h"

namespace FileTypes {

namespace {

std::shared_ptr<fw::FileType> pText;
std::shared_ptr<fw::FileType> pUntitledType;
std::vector<std::shared_ptr<fw::FileType>> allFileTypes;

struct FileTypeValues {
    fw::String name;
    fw::String extensions;
    fw::String macType;
    fw::String macCreator;
    fw::String mimeType;
    bool imported = false;
    fw::String conformsTo;
};

// Makes a new file type and holds it, sets its values one by one, adds it
// to the list and registers it.
void Declare(std::shared_ptr<fw::FileType>& holder, const FileTypeValues& values) {
    holder = std::make_shared<fw::FileType>();
    fw::FileType* type = holder.get();
    type->SetName(values.name);
    type->SetExtensions(values.extensions);
    type->SetMacType(values.macType);
    type->SetMacCreator(values.macCreator);
    type->SetMimeType(values.mimeType);
    type->SetImported(values.imported);
    type->SetConformsTo(values.conformsTo);
    allFileTypes.push_back(holder);
    type->Operator_Convert();  // registers; the name it gives is not needed
}

}  // namespace

void InitializeFields() { allFileTypes.clear(); }

void Initialize() {
    //                      Name    Extensions  MacType  MacCreator  MimeType  Imported  ConformsTo
    Declare(pText,         {"text", "",         "TEXT",  "R*ch",     "",       true,     ""});
    Declare(pUntitledType, {"",     "",         "",      "",         "",       true,     ""});
}

std::shared_ptr<fw::FileType> Text() { return pText; }
std::shared_ptr<fw::FileType> UntitledType() { return pUntitledType; }

const std::vector<std::shared_ptr<fw::FileType>>& pAllFileTypes() { return allFileTypes; }

}  // namespace FileTypes
