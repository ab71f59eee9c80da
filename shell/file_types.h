// The application's file-type set, declared to the framework at start-up.
// Nothing reads it back: the application opens and saves no documents.
#pragma once

#include <memory>
#include <vector>

#include "framework/file_type.h"

namespace FileTypes {

// The module initialiser: creates the list of all file types, empty.
void InitializeFields();

// Builds the two file types, lists them and registers them; once, at start-up.
void Initialize();

// nullptr before Initialize.
std::shared_ptr<fw::FileType> Text();
std::shared_ptr<fw::FileType> UntitledType();

// Every file type, in the order Initialize made them.
const std::vector<std::shared_ptr<fw::FileType>>& pAllFileTypes();

}  // namespace FileTypes
