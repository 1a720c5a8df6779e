#pragma once
// Scripted stand-ins for the device ports: the USB bus, the upgrade library, the clock and the
// named mutexes.
#include "platform/clock.h"
#include "platform/named_mutex.h"
#include "platform/upgrade_library.h"
#include "platform/usb_bus.h"
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Counts the waits and lets a test move the world on at each one.
class CFakeClock : public IClock {
  public:
    int sleeps = 0;
    uint32_t ticks = 0;
    std::vector<uint32_t> durations;
    std::function<void(int sleeps)> onSleep;

    void Sleep(uint32_t milliseconds) override {
        ticks += milliseconds;
        ++sleeps;
        durations.push_back(milliseconds);
        if (onSleep)
            onSleep(sleeps);
    }
    uint32_t TickCount() override { return ticks; }
};

class CFakeMutexes : public INamedMutexes {
  public:
    std::vector<std::wstring> names;
    MutexWait answer = MutexWait::ACQUIRED;
    bool creatable = true;
    int held = 0;
    int waits = 0;
    int releases = 0;
    int closes = 0;

    MutexHandle CreateOrOpen(const wchar_t* name) override {
        names.push_back(name);
        return creatable ? this : nullptr;
    }
    uint32_t lastWaitMs = 0;
    MutexWait Wait(MutexHandle mutex, uint32_t milliseconds) override {
        ++waits;
        lastWaitMs = milliseconds;
        const MutexWait result = mutex ? answer : MutexWait::FAILED;
        if (result == MutexWait::ACQUIRED || result == MutexWait::ABANDONED)
            ++held;
        return result;
    }
    void Release(MutexHandle) override {
        ++releases;
        --held;
    }
    void Close(MutexHandle) override { ++closes; }
};

// The present interfaces as a list of slots: a path, or an error for that index.
class CFakeUsbBus : public IUsbBus {
  public:
    struct Slot {
        uint32_t error = 0;
        bool readable = true;
        std::string path;
    };
    std::vector<Slot> slots;
    int walks = 0;
    // Called at the start of every walk, e.g. to check that the walk runs under a lock.
    std::function<void(int walks)> onWalk;

    void Plug(const std::string& path) { slots.push_back({0, true, path}); }
    void Unplug(const std::string& path) {
        std::erase_if(slots, [&](const Slot& slot) { return slot.path == path; });
    }

    std::unique_ptr<IUsbInterfaceList> OpenPresent() override {
        ++walks;
        if (onWalk)
            onWalk(walks);
        return std::make_unique<List>(slots);
    }

  private:
    class List : public IUsbInterfaceList {
      public:
        explicit List(std::vector<Slot> slots) : m_slots(std::move(slots)) {}
        uint32_t Enumerate(uint32_t index) override {
            m_current = index;
            return index < m_slots.size() ? m_slots[index].error : USB_NO_MORE_ITEMS;
        }
        bool ReadPath(std::string& path) override {
            if (m_current >= m_slots.size() || !m_slots[m_current].readable)
                return false;
            path = m_slots[m_current].path;
            return true;
        }

      private:
        std::vector<Slot> m_slots;
        uint32_t m_current = 0;
    };
};

// A library whose exports are present by name; calls are recorded and answered from a script.
class CFakeUpgradeLibrary : public IUpgradeLibrary {
  public:
    struct Call {
        std::string entry;
        std::string deviceKey;
        std::string folder;
    };
    bool loadable = true;
    std::vector<std::wstring> loads;
    int unloads = 0;
    std::vector<std::string> exports = {"GetDeviceInfo",       "DoNormalUpdate", "DoRecoveryUpdate",
                                        "NeedRecovery",        "ResetChipset",   "ChangeUSBMode",
                                        "GetFWLibraryVersion", "GetAPIVersion",  "DebugPort"};
    std::vector<Call> calls;
    std::map<std::string, int32_t> results;
    // Written into the device information record from its start, so a test can place anything.
    std::vector<uint8_t> record;
    // Run after an update call has returned 0, e.g. to start the player's re-enumeration.
    std::function<void(const std::string& entry)> onUpdate;

    void SetVersionText(const std::string& text) {
        record.assign(1034, 0);
        record.insert(record.end(), text.begin(), text.end());
    }

    UpgradeModule Load(const std::wstring& path) override {
        loads.push_back(path);
        return loadable ? this : nullptr;
    }
    UpgradeEntry Resolve(UpgradeModule, const char* name) override {
        for (size_t i = 0; i < exports.size(); ++i)
            if (exports[i] == name)
                return ENTRIES[i];
        return nullptr;
    }
    void Unload(UpgradeModule) override { ++unloads; }
    int32_t CallGetDeviceInfo(UpgradeEntry entry, const char* deviceKey, uint8_t* out) override {
        const int32_t result = Record(entry, deviceKey, "");
        if (!record.empty())
            std::memcpy(out, record.data(), record.size() < 1312 ? record.size() : 1312);
        return result;
    }
    int32_t CallUpdate(UpgradeEntry entry, const char* deviceKey, const char* folder) override {
        const int32_t result = Record(entry, deviceKey, folder);
        if (result == 0 && onUpdate)
            onUpdate(calls.back().entry);
        return result;
    }
    int32_t CallDebugPort(UpgradeEntry entry, uintptr_t window) override {
        return Record(entry, std::to_string(window).c_str(), "");
    }
    // The system's conversions as documented for three code pages: 1252 (Western; 0x80-0x9F
    // hold the euro sign, typographic quotes and a few letters), whose best fit turns a few
    // Polish letters into their base letters; 932 (Japanese, double-byte: a lead byte 0x81-0x9F
    // or 0xE0-0xFC takes the next byte, which may be an ASCII letter or a backslash), with a
    // few characters; and 65001 (UTF-8), which refuses any conversion flag.
    uint32_t codePage = 1252;
    uint32_t AnsiCodePage() override { return codePage; }
    bool EncodeAnsi(const std::wstring& text, bool exactOnly, std::string& ansi) override {
        ansi.clear();
        if (codePage == 65001) {
            if (exactOnly)
                return false;
            for (const wchar_t c : text)
                AppendUtf8(ansi, static_cast<uint32_t>(c));
            return true;
        }
        for (const wchar_t c : text) {
            const std::string bytes = codePage == 932 ? Encode932(c) : Encode1252(c);
            ansi += !bytes.empty() ? bytes
                    : exactOnly    ? std::string("?")
                                   : std::string(1, BestFit(c));
        }
        return true;
    }
    bool DecodeAnsi(const std::string& ansi, std::wstring& text) override {
        text.clear();
        if (codePage == 65001)
            return DecodeUtf8(ansi, text);
        for (size_t i = 0; i < ansi.size(); ++i) {
            const auto b = static_cast<unsigned char>(ansi[i]);
            if (codePage == 932 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) {
                // A lead byte without its trail, or a pair the table lacks, is invalid.
                if (i + 1 == ansi.size())
                    return false;
                const auto pair =
                    static_cast<uint16_t>(b << 8 | static_cast<unsigned char>(ansi[++i]));
                const wchar_t c = Decode932(pair);
                if (c == 0)
                    return false;
                text += c;
            } else {
                text += codePage == 1252 && b >= 0x80 && b <= 0x9F ? CP1252_HIGH[b - 0x80]
                                                                   : static_cast<wchar_t>(b);
            }
        }
        return true;
    }

  private:
    static constexpr wchar_t CP1252_HIGH[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    struct Pair932 {
        uint16_t bytes;
        wchar_t c;
    };
    // HIRAGANA A, KATAKANA BU and PU (trail bytes "u" and "v"), the kanji for "table" (trail
    // byte "\\").
    static constexpr Pair932 CP932_PAIRS[] = {
        {0x82A0, 0x3042}, {0x8375, 0x30D6}, {0x8376, 0x30D7}, {0x955C, 0x8868}};
    static wchar_t Decode932(uint16_t bytes) {
        for (const Pair932& pair : CP932_PAIRS) {
            if (pair.bytes == bytes)
                return pair.c;
        }
        return 0;
    }
    static std::string Encode932(wchar_t c) {
        if (c < 0x80)
            return std::string(1, static_cast<char>(c));
        for (const Pair932& pair : CP932_PAIRS) {
            if (pair.c == c)
                return {static_cast<char>(pair.bytes >> 8), static_cast<char>(pair.bytes & 0xFF)};
        }
        return {};
    }
    static std::string Encode1252(wchar_t c) {
        for (int i = 0; i < 32; ++i) {
            if (CP1252_HIGH[i] == c)
                return std::string(1, static_cast<char>(0x80 + i));
        }
        if (c < 0x100 && !(c >= 0x80 && c <= 0x9F))
            return std::string(1, static_cast<char>(c));
        return {};
    }
    static char BestFit(wchar_t c) {
        switch (c) {
        case L'\u0141':
            return 'L';
        case L'\u0142':
            return 'l';
        case L'\u017A':
        case L'\u017C':
            return 'z';
        default:
            return '?';
        }
    }
    // Code points below 0x10000 only; surrogates become U+FFFD as the system makes them.
    static void AppendUtf8(std::string& out, uint32_t c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    static bool DecodeUtf8(const std::string& in, std::wstring& out) {
        for (size_t i = 0; i < in.size();) {
            const auto b = static_cast<unsigned char>(in[i]);
            const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 0;
            if (n == 0 || i + n > in.size())
                return false;
            uint32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : (b & 0x0F);
            for (size_t k = 1; k < n; ++k)
                c = c << 6 | (static_cast<unsigned char>(in[i + k]) & 0x3F);
            out += static_cast<wchar_t>(c);
            i += n;
        }
        return true;
    }
    template <int N> static void Entry() {
        static volatile int marker = N;
        marker = marker + 1;
    }
    static constexpr UpgradeEntry ENTRIES[] = {Entry<0>, Entry<1>, Entry<2>, Entry<3>, Entry<4>,
                                               Entry<5>, Entry<6>, Entry<7>, Entry<8>};

    int32_t Record(UpgradeEntry entry, const char* deviceKey, const char* folder) {
        std::string name = "?";
        for (size_t i = 0; i < exports.size(); ++i)
            if (ENTRIES[i] == entry)
                name = exports[i];
        calls.push_back({name, deviceKey, folder});
        const auto found = results.find(name);
        return found == results.end() ? 0 : found->second;
    }
};
