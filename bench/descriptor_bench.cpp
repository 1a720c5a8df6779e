// Throughput of update descriptor parsing: a typical three-line descriptor and a 1 MB one whose
// keys stand at the end.
#include "online/descriptor.h"
#include "tests/fuzz/fuzz_code_page.h"
#include <chrono>
#include <cstdio>
#include <string>

static void Measure(const char* name, const std::string& text, int rounds) {
    const auto start = std::chrono::steady_clock::now();
    int found = 0;
    CFuzzCodePage codePage;
    for (int i = 0; i < rounds; ++i)
        found += ParseDescriptor(text, DescriptorKind::FIRMWARE, codePage).result;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-10s %8zu bytes  %10.0f descriptors/s  %8.1f MB/s  (%d parsed)\n", name,
                text.size(), rounds / seconds, text.size() * double(rounds) / seconds / 1e6, found);
}

int main() {
    const std::string typical = "version=V2.07\r\nurl=http://updates.norvane.example/pulo5/"
                                "fw_2_07.exe\r\ninfo=http://updates.norvane.example/news.htm\r\n";
    Measure("typical", typical, 200000);
    Measure("1 MB", std::string(1 << 20, 'x') + "\n" + typical, 100);
    return 0;
}
