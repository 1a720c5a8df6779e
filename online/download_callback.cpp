#include "online/download_callback.h"

void CDownloadCallback::OnProgress(uint64_t progress, uint64_t progressMax) {
    if (notifyFunction && progressMax != 0)
        notifyFunction(static_cast<int32_t>(progress * 100 / progressMax));
}
