#include "engine/win32/win32_usb_bus.h"
#include <windows.h>
#include <setupapi.h>
#include <cstddef>
#include <vector>

namespace {
// GUID_DEVINTERFACE_USB_DEVICE
const GUID USB_DEVICE_INTERFACE = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

class CWin32UsbInterfaceList : public IUsbInterfaceList {
  public:
    CWin32UsbInterfaceList()
        : m_hList(SetupDiGetClassDevsA(&USB_DEVICE_INTERFACE, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {}
    ~CWin32UsbInterfaceList() override {
        if (m_hList != INVALID_HANDLE_VALUE)
            SetupDiDestroyDeviceInfoList(m_hList);
    }
    CWin32UsbInterfaceList(const CWin32UsbInterfaceList&) = delete;
    CWin32UsbInterfaceList& operator=(const CWin32UsbInterfaceList&) = delete;

    uint32_t Enumerate(uint32_t index) override {
        m_interface = {};
        m_interface.cbSize = sizeof m_interface;
        if (SetupDiEnumDeviceInterfaces(m_hList, nullptr, &USB_DEVICE_INTERFACE, index,
                                        &m_interface))
            return 0;
        return GetLastError();
    }

    bool ReadPath(std::string& path) override {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(m_hList, &m_interface, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
            return false;
        // DWORD-aligned storage for the detail structure.
        std::vector<DWORD> buffer(size / sizeof(DWORD) + 1);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailA(m_hList, &m_interface, detail, size, nullptr,
                                              &device))
            return false;
        const size_t capacity = size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        path.assign(detail->DevicePath, strnlen(detail->DevicePath, capacity));
        return true;
    }

  private:
    HDEVINFO m_hList;
    SP_DEVICE_INTERFACE_DATA m_interface = {};
};
} // namespace

std::unique_ptr<IUsbInterfaceList> CWin32UsbBus::OpenPresent() {
    return std::make_unique<CWin32UsbInterfaceList>();
}
