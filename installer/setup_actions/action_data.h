// What the MSI package's checking action hands to its deferred actions
// (which see no properties, only one text, "CustomActionData"), and the
// package's list of program files: named fields, each value in hexadecimal
// so that any bytes pass, and the list's records separated by '*' with fields by '|'.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ActionData {
public:
    void Set(const std::string& name, const std::string& value);
    void SetBytes(const std::string& name, const std::vector<uint8_t>& bytes);
    // "" (or no bytes) when the field is absent.
    std::string Get(const std::string& name) const;
    std::vector<uint8_t> GetBytes(const std::string& name) const;
    bool Has(const std::string& name) const { return m_fields.count(name) != 0; }

    // "name=hex;name=hex"; names are plain letters, digits and dots.
    std::string Encode() const;
    // False (and nothing kept) for a text Encode did not write.
    bool Decode(const std::string& text);

private:
    std::map<std::string, std::vector<uint8_t>> m_fields;
};

// A file the package installs, as its list names it for the checks.
struct ListedFile {
    std::string name;
    bool host = false;  // also in the scanning program's folder
    bool keep = false;  // a file already there stays
    std::string heldBy; // the program that may hold it open; empty: none
};

// "name|flags|held by*..." with flags of the letters H and K.
std::vector<ListedFile> ParseFileList(const std::string& text);
