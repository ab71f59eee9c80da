// File types that the application declares at start-up.
//
// Registration is all the application asks of a file type: the framework
// keeps the registered types in a table and nothing reads them back. No
// document handling exists, so nothing else uses file types.
#pragma once

#include "framework/property_types.h"

#include <utility>
#include <vector>

namespace fw {

class FileType {
public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    const String& Name() const { return name_; }
    const String& Extensions() const { return extensions_; }
    const String& MacType() const { return macType_; }
    const String& MacCreator() const { return macCreator_; }
    const String& MimeType() const { return mimeType_; }
    bool Imported() const { return imported_; }
    const String& ConformsTo() const { return conformsTo_; }
    const String& UTI() const { return uti_; }

    // Each setter first withdraws the type's registration, so that the
    // table never holds values the type no longer has; the next string
    // conversion registers it anew.
    void SetName(String value);
    void SetExtensions(String value);
    void SetMacType(String value);
    void SetMacCreator(String value);
    void SetMimeType(String value);
    void SetImported(bool value);
    void SetConformsTo(String value);
    void SetUTI(String value);

    // The string conversion: registers the type, unless it is registered
    // already, and gives its Name.
    String Operator_Convert() const;

private:
    void WithdrawRegistration() const;
    template <typename T>
    void Assign(T& field, T value) {
        WithdrawRegistration();
        field = std::move(value);
    }

    String name_;
    String extensions_;
    String macType_;
    String macCreator_;
    String mimeType_;
    bool imported_ = false;
    String conformsTo_;
    String uti_;
};

// One entry of the framework's table: the values registered, as they were.
struct FileTypeRegistration {
    const FileType* type = nullptr;
    String name;
    String macCreator;
    String macType;
    String extensions;
    String uti;
};

// The registered file types, in the order of registration.
const std::vector<FileTypeRegistration>& RegisteredFileTypes();

}  // namespace fw
