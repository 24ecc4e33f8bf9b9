// Fakes of the set-up's platform services for native tests, each recording
// what was asked of it, in order.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "jobport_readers/profile_reader.h"
#include "jobport_readers/registry_reader.h"
#include "setup/file_system.h"
#include "setup/folder_values.h"

// Behaves like the Windows profile functions: an empty number reads as
// absent, a long text is cut to the buffer.
class FakeProfile : public ProfileReader {
public:
    std::map<std::string, std::string> values;  // "path|section|key" -> text

    void Set(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value)
    {
        values[path + "|" + section + "|" + key] = value;
    }
    int32_t ReadInt(const char* path, const char* section, const char* key, int32_t def) override
    {
        const std::string* v = Find(path, section, key);
        return v && !v->empty() ? static_cast<int32_t>(std::strtol(v->c_str(), nullptr, 10)) : def;
    }
    size_t ReadString(const char* path, const char* section, const char* key, const char* def,
                      char* buffer, size_t size) override
    {
        const std::string* v = Find(path, section, key);
        const std::string text = v ? *v : def;
        const size_t n = std::min(text.size(), size - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return n;
    }

private:
    const std::string* Find(const char* path, const char* section, const char* key)
    {
        const auto it = values.find(std::string(path) + "|" + section + "|" + key);
        return it == values.end() ? nullptr : &it->second;
    }
};

// Keys of raw value bytes. Calls: "open <key>", "size <name>", "read <name>",
// "close".
class FakeRegistry : public RegistryReader {
public:
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::vector<std::string> calls;
    bool closeFails = false;

    void SetText(const std::string& key, const std::string& name, const std::string& text)
    {
        keys[key][name] = text + '\0';
    }
    std::unique_ptr<RegistryKey> OpenKey(const char* subKey) override
    {
        calls.push_back(std::string("open ") + subKey);
        const auto it = keys.find(subKey);
        if (it == keys.end())
            return nullptr;
        return std::unique_ptr<RegistryKey>(new Key(*this, it->second));
    }

private:
    struct Key : RegistryKey {
        Key(FakeRegistry& r, const std::map<std::string, std::string>& v) : owner(r), values(v) {}
        ~Key() override { Close(); }
        bool QueryValueSize(const char* name, uint32_t* size) override
        {
            owner.calls.push_back(std::string("size ") + name);
            const auto it = values.find(name);
            if (it != values.end())
                *size = static_cast<uint32_t>(it->second.size());
            return it != values.end();
        }
        bool QueryValue(const char* name, void* data, uint32_t* size) override
        {
            owner.calls.push_back(std::string("read ") + name);
            const auto it = values.find(name);
            if (it == values.end() || it->second.size() > *size)
                return false;
            std::memcpy(data, it->second.data(), *size = static_cast<uint32_t>(it->second.size()));
            return true;
        }
        bool Close() override
        {
            if (closed)
                return true;
            closed = true;
            owner.calls.push_back("close");
            return !owner.closeFails;
        }
        FakeRegistry& owner;
        std::map<std::string, std::string> values;
        bool closed = false;
    };
};

// A current directory, readable files and listings per pattern. Calls:
// "chdir <path>", "list <pattern>", "create <path>", "hold <path>" (a file
// held for the process alone, unless it is inUse), "remove <path>".
class FakeFileSystem : public FileSystem {
public:
    std::string cwd = "C:\\host";
    std::vector<std::string> readable;
    std::map<std::string, std::vector<std::pair<std::string, bool>>> listings;
    std::vector<std::string> calls;
    std::string temp = "C:\\temp\\";
    std::map<std::string, std::string> texts;

    bool CurrentDir(char* buffer, size_t size) override
    {
        return cwd.size() < size && std::memcpy(buffer, cwd.c_str(), cwd.size() + 1);
    }
    bool ChangeDir(const char* path) override { return Record("chdir ", cwd = path); }
    bool CanOpenForReading(const char* path) override
    {
        return std::find(readable.begin(), readable.end(), path) != readable.end();
    }
    bool CreateIfMissing(const char* path) override { return Record("create ", path); }
    void ListEntries(const char* pattern, DirectoryEntryVisitor& visitor) override
    {
        Record("list ", pattern);
        for (const auto& entry : listings[pattern])
            visitor.Visit(entry.first.c_str(), entry.second);
    }
    bool RemoveFile(const char* path) override { return Record("remove ", path); }
    std::unique_ptr<HeldFile> HoldAlone(const char* path) override
    {
        if (std::find(inUse.begin(), inUse.end(), path) != inUse.end())
            return nullptr;
        Record("hold ", path);
        return std::make_unique<Held>(*this, path);
    }
    std::vector<std::string> inUse;
    bool ReadText(const char* path, std::string& text) override
    {
        const auto found = texts.find(path);
        if (found == texts.end())
            return false;
        text = found->second;
        return true;
    }
    bool TempFolder(char* buffer, size_t size) override
    {
        return temp.size() < size && std::memcpy(buffer, temp.c_str(), temp.size() + 1);
    }
    // The tests' log folder is a real folder of this machine.
    bool IsAbsolutePath(const char* path) override
    {
        return IsAbsoluteWindowsPath(path) || path[0] == '/';
    }

private:
    class Held : public HeldFile {
    public:
        Held(FakeFileSystem& files, std::string path) : m_files(files), m_path(std::move(path)) {}
        bool Remove() override { return m_files.Record("remove ", m_path); }

    private:
        FakeFileSystem& m_files;
        std::string m_path;
    };

    bool Record(const char* what, const std::string& path)
    {
        calls.push_back(what + path);
        return true;
    }
};
