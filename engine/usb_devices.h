#pragma once
#include <cstddef>

class IUsbBus;

// Interface paths and device keys are held in buffers of these sizes, terminator included.
inline constexpr size_t USB_PATH_SIZE = 260;
inline constexpr size_t DEVICE_KEY_SIZE = 128;
// Vendor and product ids: 4 hexadecimal characters and a terminator.
inline constexpr size_t USB_ID_SIZE = 5;
// The walk looks at no more interfaces than this.
inline constexpr unsigned USB_MAX_INTERFACES = 128;

// Splits an interface path into product id, vendor id and device key (upper case); each output
// may be null. Outputs whose part is missing stay untouched, and the key carries no terminator
// of its own, so callers zero-fill the buffers first. Returns 0, with the key untouched, when
// the key does not fit `keySize` bytes with a terminator; 1 otherwise.
int ParseDevicePath(const char* path, size_t length, char* productId, char* vendorId,
                    char* deviceKey, size_t keySize);

// The first present interface, in enumeration order, with these ids (compared without case):
// 1 with its path in `path` (zero-filled to `pathSize` first), else 0.
int FindUsbDevice(IUsbBus& bus, const char* vendorId, const char* productId, char* path,
                  size_t pathSize);
bool IsUsbDevicePresent(IUsbBus& bus, const char* vendorId, const char* productId);
