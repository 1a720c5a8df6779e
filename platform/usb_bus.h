#pragma once
#include <cstdint>
#include <memory>
#include <string>

// The system's answer when an enumeration index lies past the end of the list.
inline constexpr uint32_t USB_NO_MORE_ITEMS = 259;

// A snapshot of the present device interfaces of the USB device class, read index by index in
// the system's enumeration order.
class IUsbInterfaceList {
  public:
    virtual ~IUsbInterfaceList() = default;
    // Selects the interface at `index`: 0, or the system's error code for that index.
    virtual uint32_t Enumerate(uint32_t index) = 0;
    // The interface path (ANSI, in the case the system gives it) of the interface selected last;
    // false when its detail cannot be read.
    virtual bool ReadPath(std::string& path) = 0;
};

class IUsbBus {
  public:
    virtual ~IUsbBus() = default;
    // A list that cannot be opened still answers, with an error for every index.
    virtual std::unique_ptr<IUsbInterfaceList> OpenPresent() = 0;
};
