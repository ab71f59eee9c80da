// File types: the framework's registration, and the application's set.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/file_type.h"
#include "shell/file_types.h"

namespace {

long RegistrationsOf(const fw::FileType& type) {
    const auto& table = fw::RegisteredFileTypes();
    return std::count_if(table.begin(), table.end(),
                         [&](const fw::FileTypeRegistration& entry) { return entry.type == &type; });
}

}  // namespace

TEST(FileTypeTest, ConversionRegistersOnceWithTheCurrentValues) {
    fw::FileType type;
    type.SetName("notes");
    type.SetExtensions("txt;text");
    type.SetMacType("TEXT");
    type.SetMacCreator("abcd");
    type.SetUTI("org.example.notes");
    type.SetMimeType("text/plain");
    EXPECT_EQ(RegistrationsOf(type), 0);

    EXPECT_EQ(type.Operator_Convert(), "notes");
    EXPECT_EQ(type.Operator_Convert(), "notes");
    ASSERT_EQ(RegistrationsOf(type), 1);
    const fw::FileTypeRegistration& entry = fw::RegisteredFileTypes().back();
    EXPECT_EQ(entry.name, "notes");
    EXPECT_EQ(entry.extensions, "txt;text");
    EXPECT_EQ(entry.macType, "TEXT");
    EXPECT_EQ(entry.macCreator, "abcd");
    EXPECT_EQ(entry.uti, "org.example.notes");
}

TEST(FileTypeTest, EverySetterWithdrawsTheRegistration) {
    const std::vector<std::pair<const char*, std::function<void(fw::FileType&)>>> setters = {
        {"Name", [](fw::FileType& t) { t.SetName("renamed"); }},
        {"Extensions", [](fw::FileType& t) { t.SetExtensions("md"); }},
        {"MacType", [](fw::FileType& t) { t.SetMacType("TXT2"); }},
        {"MacCreator", [](fw::FileType& t) { t.SetMacCreator("wxyz"); }},
        {"MimeType", [](fw::FileType& t) { t.SetMimeType("text/markdown"); }},
        {"Imported", [](fw::FileType& t) { t.SetImported(true); }},
        {"ConformsTo", [](fw::FileType& t) { t.SetConformsTo("public.text"); }},
        {"UTI", [](fw::FileType& t) { t.SetUTI("org.example.md"); }},
    };
    for (const auto& [property, set] : setters) {
        SCOPED_TRACE(property);
        fw::FileType type;
        type.SetName("notes");
        type.Operator_Convert();
        set(type);
        EXPECT_EQ(RegistrationsOf(type), 0);
        type.Operator_Convert();
        EXPECT_EQ(RegistrationsOf(type), 1);
    }
    EXPECT_EQ(fw::RegisteredFileTypes().size(), 0u);
}

TEST(FileTypeTest, RenamedTypeIsRegisteredUnderItsNewName) {
    fw::FileType type;
    type.SetName("old");
    type.Operator_Convert();
    type.SetName("new");
    EXPECT_EQ(type.Operator_Convert(), "new");
    ASSERT_EQ(fw::RegisteredFileTypes().size(), 1u);
    EXPECT_EQ(fw::RegisteredFileTypes()[0].name, "new");
}

TEST(FileTypeTest, DestroyedTypeLeavesTheTable) {
    {
        fw::FileType type;
        type.Operator_Convert();
        EXPECT_EQ(fw::RegisteredFileTypes().size(), 1u);
    }
    EXPECT_TRUE(fw::RegisteredFileTypes().empty());
}

TEST(FileTypesTest, NothingBeforeInitialize) {
    EXPECT_EQ(FileTypes::Text(), nullptr);
    EXPECT_EQ(FileTypes::UntitledType(), nullptr);
}

TEST(FileTypesTest, InitializeListsAndRegistersTextThenUntitledType) {
    FileTypes::InitializeFields();
    EXPECT_TRUE(FileTypes::pAllFileTypes().empty());
    FileTypes::Initialize();

    auto text = FileTypes::Text();
    auto untitled = FileTypes::UntitledType();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(untitled, nullptr);
    ASSERT_EQ(FileTypes::pAllFileTypes().size(), 2u);
    EXPECT_EQ(FileTypes::pAllFileTypes()[0], text);
    EXPECT_EQ(FileTypes::pAllFileTypes()[1], untitled);
    EXPECT_EQ(RegistrationsOf(*text), 1);
    EXPECT_EQ(RegistrationsOf(*untitled), 1);
    EXPECT_EQ(fw::RegisteredFileTypes().size(), 2u);
}

TEST(FileTypesTest, ValuesOfTheTwoTypes) {
    FileTypes::InitializeFields();
    FileTypes::Initialize();
    const fw::FileType& text = *FileTypes::Text();
    const fw::FileType& untitled = *FileTypes::UntitledType();

    using Getter = const fw::String& (fw::FileType::*)() const;
    const std::vector<std::tuple<const char*, Getter, const char*, const char*>> rows = {
        {"Name", &fw::FileType::Name, "text", ""},
        {"Extensions", &fw::FileType::Extensions, "", ""},
        {"MacType", &fw::FileType::MacType, "TEXT", ""},
        {"MacCreator", &fw::FileType::MacCreator, "R*ch", ""},
        {"MimeType", &fw::FileType::MimeType, "", ""},
        {"ConformsTo", &fw::FileType::ConformsTo, "", ""},
        {"UTI", &fw::FileType::UTI, "", ""},
    };
    for (const auto& [property, get, forText, forUntitled] : rows) {
        SCOPED_TRACE(property);
        EXPECT_EQ((text.*get)(), forText);
        EXPECT_EQ((untitled.*get)(), forUntitled);
    }
    EXPECT_TRUE(text.Imported());
    EXPECT_TRUE(untitled.Imported());
}
