#pragma once
#include "platform/usb_bus.h"

// Present USB device interfaces through SetupAPI.
class CWin32UsbBus : public IUsbBus {
  public:
    std::unique_ptr<IUsbInterfaceList> OpenPresent() override;
};
