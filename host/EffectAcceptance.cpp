#include "host/EffectAcceptance.h"

#include <memory>
#include <new>

#include "filters/Filter.h"
#include "host/DocumentValidation.h"
#include "host/FilterFactory.h"

bool EffectAcceptsDocument(FilterKind kind, const ps::FilterRecord& record, const Rect& maskBounds) {
    std::unique_ptr<Filter> effect;
    try {
        if (CreateFilter(kind, effect).IsFailure()) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return ValidateDocument(*effect, record, maskBounds, true);
}
