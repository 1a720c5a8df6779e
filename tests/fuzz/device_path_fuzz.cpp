#include "engine/action_fw_dn.h"
#include "engine/usb_devices.h"
#include "tests/fuzz/fuzz_input.h"
#include <cstring>

// The path parser on any bytes, with the buffers the binding uses, and the version text of a
// device information record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char productId[USB_ID_SIZE] = {};
    char vendorId[USB_ID_SIZE] = {};
    char key[DEVICE_KEY_SIZE] = {};
    ParseDevicePath(reinterpret_cast<const char*>(data), size, productId, vendorId, key,
                    sizeof key);
    FUZZ_CHECK(productId[USB_ID_SIZE - 1] == 0 && vendorId[USB_ID_SIZE - 1] == 0);
    FUZZ_CHECK(key[DEVICE_KEY_SIZE - 1] == 0);

    uint8_t record[DEVICE_INFO_SIZE] = {};
    const size_t text = size < DEVICE_INFO_SIZE - DEVICE_INFO_VERSION_OFFSET
                            ? size
                            : DEVICE_INFO_SIZE - DEVICE_INFO_VERSION_OFFSET;
    std::memcpy(record + DEVICE_INFO_VERSION_OFFSET, data, text);
    const FirmwareVersion version = ParseDeviceVersion(record);
    FUZZ_CHECK(version.major == 0);
    return 0;
}
