#include "host/HostRequests.h"

void ClearRequests(ps::FilterRecord& record) {
    record.inRect = ps::Rect16{0, 0, 0, 0};
    record.outRect = ps::Rect16{0, 0, 0, 0};
    record.maskRect = ps::Rect16{0, 0, 0, 0};
    record.maskRate = ps::kFixedOne;
}
