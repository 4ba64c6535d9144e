// The program's settings key under HKEY_CURRENT_USER, read and written the
// way the tests need: whole-key reset, value names, 32-bit values.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class RegistryKey {
public:
    explicit RegistryKey(std::string path, HKEY root = HKEY_CURRENT_USER) : m_root(root), m_path(std::move(path)) {}

    bool Exists() const;
    // Deletes the key with its values (it has no subkeys); true if it is gone.
    bool Delete() const;
    std::vector<std::string> ValueNames() const;
    // The value as a 32-bit integer; none if it is missing or not 4 bytes long.
    std::optional<DWORD> Dword(const std::string& name) const;
    // Value type and raw bytes; none if the value is missing.
    std::optional<std::pair<DWORD, std::vector<BYTE>>> Raw(const std::string& name) const;
    bool SetDword(const std::string& name, DWORD value) const;
    // A text value, REG_SZ unless REG_EXPAND_SZ is asked for.
    bool SetString(const std::string& name, const std::string& value, DWORD type = REG_SZ) const;
    // A value of any type and size, as a user with the registry editor could store it.
    bool SetRaw(const std::string& name, DWORD type, const std::vector<BYTE>& data) const;

private:
    HKEY m_root;
    std::string m_path;
};

}  // namespace e2e
