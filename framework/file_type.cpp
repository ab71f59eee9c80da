#include "framework/file_type.h"

#include <algorithm>

namespace fw {

namespace {

// Never destroyed: file types held in static variables withdraw their
// entries when they are destroyed at exit, which may come after this table
// would have been.
std::vector<FileTypeRegistration>& Table() {
    static auto* table = new std::vector<FileTypeRegistration>;
    return *table;
}

auto FindEntry(const FileType* type) {
    auto& table = Table();
    return std::find_if(table.begin(), table.end(),
                        [type](const FileTypeRegistration& entry) { return entry.type == type; });
}

}  // namespace

// A type that goes away takes its entry with it: the table must not point
// at a dead object.
FileType::~FileType() { WithdrawRegistration(); }

void FileType::WithdrawRegistration() const {
    auto entry = FindEntry(this);
    if (entry != Table().end()) Table().erase(entry);
}

void FileType::SetName(String value) { Assign(name_, std::move(value)); }
void FileType::SetExtensions(String value) { Assign(extensions_, std::move(value)); }
void FileType::SetMacType(String value) { Assign(macType_, std::move(value)); }
void FileType::SetMacCreator(String value) { Assign(macCreator_, std::move(value)); }
void FileType::SetMimeType(String value) { Assign(mimeType_, std::move(value)); }
void FileType::SetImported(bool value) { Assign(imported_, value); }
void FileType::SetConformsTo(String value) { Assign(conformsTo_, std::move(value)); }
void FileType::SetUTI(String value) { Assign(uti_, std::move(value)); }

String FileType::Operator_Convert() const {
    if (FindEntry(this) == Table().end())
        Table().push_back({this, name_, macCreator_, macType_, extensions_, uti_});
    return name_;
}

const std::vector<FileTypeRegistration>& RegisteredFileTypes() { return Table(); }

}  // namespace fw
