#include "engine/usb_devices.h"
#include "platform/usb_bus.h"
#include <algorithm>
#include <cstring>
#include <string>

namespace {
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// An empty id (a path without "VID_" or "PID_", or a binding without identities) never matches.
bool EqualIds(const char* a, const char* b) {
    if (!*a || !*b)
        return false;
    for (; *a && *b; ++a, ++b)
        if (Upper(*a) != Upper(*b))
            return false;
    return *a == *b;
}

// The 4 characters after a marker that stands after the first character; npos when absent.
size_t ReadId(const std::string& text, const char* marker, char* id) {
    const size_t at = text.find(marker);
    if (at == std::string::npos || at == 0)
        return std::string::npos;
    if (id) {
        const std::string value = text.substr(at + 4, USB_ID_SIZE - 1);
        std::memset(id, 0, USB_ID_SIZE);
        std::memcpy(id, value.data(), value.size());
    }
    return at;
}

// The key segment after the product id: between the next two "#", or else between the next
// two backslashes (or from one backslash to the end).
bool FindKey(const std::string& text, size_t productAt, size_t& begin, size_t& end) {
    const size_t hash = text.find('#', productAt);
    if (hash != std::string::npos) {
        begin = hash + 1;
        end = text.find('#', begin);
        return end != std::string::npos;
    }
    const size_t slash = text.find('\\', productAt);
    if (slash == std::string::npos)
        return false;
    begin = slash + 1;
    end = std::min(text.find('\\', begin), text.size());
    return true;
}
} // namespace

int ParseDevicePath(const char* path, size_t length, char* productId, char* vendorId,
                    char* deviceKey, size_t keySize) {
    std::string text(path, strnlen(path, length));
    std::transform(text.begin(), text.end(), text.begin(), Upper);
    ReadId(text, "VID_", vendorId);
    const size_t productAt = ReadId(text, "PID_", productId);
    size_t begin = 0;
    size_t end = 0;
    if (productAt == std::string::npos || !FindKey(text, productAt, begin, end))
        return 1;
    // A key the library's buffer cannot carry would reach it cut short: such a device counts
    // as not found rather than as a different one.
    if (end - begin >= keySize)
        return 0;
    if (deviceKey)
        std::memcpy(deviceKey, text.data() + begin, end - begin);
    return 1;
}

int FindUsbDevice(IUsbBus& bus, const char* vendorId, const char* productId, char* path,
                  size_t pathSize) {
    if (!path)
        return 0;
    const auto list = bus.OpenPresent();
    std::string found;
    for (uint32_t index = 0; index < USB_MAX_INTERFACES; ++index) {
        const uint32_t error = list->Enumerate(index);
        if (error == USB_NO_MORE_ITEMS)
            break;
        // Paths that do not fit the buffers are skipped rather than cut.
        if (error != 0 || !list->ReadPath(found) || found.size() >= USB_PATH_SIZE ||
            found.size() >= pathSize)
            continue;
        char vendor[USB_ID_SIZE] = {};
        char product[USB_ID_SIZE] = {};
        char key[DEVICE_KEY_SIZE] = {};
        if (ParseDevicePath(found.c_str(), found.size(), product, vendor, key, sizeof key) &&
            EqualIds(vendor, vendorId) && EqualIds(product, productId)) {
            std::memset(path, 0, pathSize);
            std::memcpy(path, found.data(), found.size());
            return 1;
        }
    }
    return 0;
}

bool IsUsbDevicePresent(IUsbBus& bus, const char* vendorId, const char* productId) {
    char path[USB_PATH_SIZE];
    return FindUsbDevice(bus, vendorId, productId, path, sizeof path) == 1;
}
