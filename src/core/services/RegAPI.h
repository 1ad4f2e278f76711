#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/services/SettingsStore.h"

namespace trovique {

// A value as the registry holds it: nothing (missing), text, a 32-bit number or bytes.
using RegValue =
    std::variant<std::monostate, std::string, std::uint32_t, std::vector<std::uint8_t>>;

// A general registry wrapper: reads and writes any key below one of the registry roots. It is
// how the program finds other software's settings (the Palm Desktop's installation folder), so
// its key paths are registry paths, "\"-separated.
//
// Every root maps onto the one settings store under the root's own name as the application:
// a key HKEY_CURRENT_USER\Software\X\Y is section "Software\X\Y" of application
// "HKEY_CURRENT_USER". On Windows the native store hands those names straight to the registry;
// elsewhere each root is a settings file of its own in the user's config folder, so that nothing
// here ever needs rights beyond the user's.
//
// Like the registry calls it stands for, it shows no messages: a missing key or value reads as
// the default. A write the store cannot keep raises the store's CError to the caller, whose
// error trap reports it like any other failure.
class CRegAPI {
public:
    static constexpr std::uint32_t kHKeyClassesRoot = 0x80000000;
    static constexpr std::uint32_t kHKeyCurrentUser = 0x80000001;
    static constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;
    static constexpr std::uint32_t kHKeyUsers = 0x80000003;
    static constexpr std::uint32_t kHKeyCurrentConfig = 0x80000005;

    // Value kinds; 0 lets SaveSetting and SetKeyValue choose.
    static constexpr std::uint32_t kRegChoose = 0;
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr std::uint32_t kRegBinary = 3;
    static constexpr std::uint32_t kRegDword = 4;

    static constexpr std::string_view kInitialBasePath =
        "Software\\Norvane Inc.\\Norvane Trovique 2000\\2.3";

    explicit CRegAPI(ISettingsStore& store);

    std::uint32_t RootKey() const { return rootKey_; }
    // Raises CError for a handle that is none of the roots above, keeping the old root.
    void SetRootKey(std::uint32_t root);
    const std::string& BasePath() const { return basePath_; }
    void SetBasePath(std::string basePath) { basePath_ = std::move(basePath); }

    // The value under base\application\section, or fallback when it is missing or empty.
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& fallback) const;
    // Type 0 stores a plain whole number (0..4294967295 written without sign or leading zeros)
    // as a number and anything else as text, so reading it back gives the same text.
    void SaveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value,
                     std::uint32_t type = kRegChoose);
    // Deletes one value, or with an empty key the whole section key with everything below it.
    void DeleteSetting(const std::string& application, const std::string& section,
                       const std::string& key);
    std::vector<std::pair<std::string, std::string>> GetAllSettings(
        const std::string& application, const std::string& section) const;
    std::vector<std::string> GetAllKeys(const std::string& application,
                                        const std::string& section) const;

    // Key paths below the base path. QueryValue gives monostate when the value is missing.
    RegValue QueryValue(const std::string& keyPath, const std::string& valueName) const;
    // Type 0 keeps the value's own kind (text by the SaveSetting rule); an explicit type
    // converts: text to a number by its leading number, a number to its four bytes low first.
    // An unknown type raises CError and writes nothing.
    void SetKeyValue(const std::string& keyPath, const std::string& valueName,
                     const RegValue& value, std::uint32_t type = kRegChoose);
    void CreateKey(const std::string& keyPath);

    // The non-empty parts among base, application and section joined with "\".
    static std::string ComposeKeyPath(std::string_view base, std::string_view application,
                                      std::string_view section);
    // "HKEY_CURRENT_USER" and so on; empty for an unknown handle.
    static std::string_view RootName(std::uint32_t root);

private:
    ISettingsStore& store_;
    std::uint32_t rootKey_ = kHKeyLocalMachine;
    std::string basePath_{kInitialBasePath};

    std::string Root() const { return std::string(RootName(rootKey_)); }
    void Write(const std::string& keyPath, const std::string& valueName, const SettingValue& value);
};

}  // namespace trovique
