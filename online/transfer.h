#pragma once
#include "platform/internet.h"
#include <cstdint>
#include <string>

// Upper bounds of what a download may bring: descriptors are small texts, packages and
// installers a few megabytes.
inline constexpr uint64_t DESCRIPTOR_MAX_BYTES = 16ull << 20;
inline constexpr uint64_t DOWNLOAD_MAX_BYTES = 1ull << 30;

// Only a 2xx answer whose whole body arrived counts: the body ended, it is as long as announced
// and no longer than `maxBytes`.
bool IsCompleteTransfer(int statusCode, int64_t contentLength, bool ended, uint64_t received,
                        uint64_t maxBytes);

// Downloads the address into the file at `path`. Nothing is written for an answer other than
// 2xx; a failed transfer may leave part of the body behind.
bool DownloadToFile(IInternet& internet, const std::wstring& address, const std::wstring& path,
                    uint64_t maxBytes, const TransferProgress& progress);
