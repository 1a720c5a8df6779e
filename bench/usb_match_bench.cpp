// Time of the portable part of one presence test: walk, parse and match over 128 interfaces,
// the player last.
#include "engine/usb_devices.h"
#include "tests/support/fake_engine.h"
#include <chrono>
#include <cstdio>

int main() {
    CFakeUsbBus bus;
    char path[USB_PATH_SIZE];
    for (int i = 0; i < 127; ++i) {
        std::snprintf(path, sizeof path,
                      "\\\\?\\usb#vid_0100&pid_%04x#EXTRA%d#{a5dcbf10-6530-11d2-901f-00c04fb951ed}",
                      i, i);
        bus.Plug(path);
    }
    bus.Plug("\\\\?\\usb#vid_0471&pid_2186#QM5SIM0001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");

    const int rounds = 20000;
    const auto start = std::chrono::steady_clock::now();
    int found = 0;
    for (int i = 0; i < rounds; ++i)
        found += FindUsbDevice(bus, "0471", "2186", path, sizeof path);
    const std::chrono::duration<double, std::micro> total =
        std::chrono::steady_clock::now() - start;

    const auto parseStart = std::chrono::steady_clock::now();
    char key[DEVICE_KEY_SIZE];
    for (int i = 0; i < rounds * 128; ++i)
        ParseDevicePath(bus.slots[i % 128].path.c_str(), USB_PATH_SIZE, nullptr, nullptr, key,
                        sizeof key);
    const std::chrono::duration<double, std::nano> parse =
        std::chrono::steady_clock::now() - parseStart;

    std::printf("FindUsbDevice over 128 interfaces (fake bus): %.2f us per walk (%d found)\n",
                total.count() / rounds, found);
    std::printf("ParseDevicePath: %.0f ns per path\n", parse.count() / (rounds * 128.0));
    return found == rounds ? 0 : 1;
}
