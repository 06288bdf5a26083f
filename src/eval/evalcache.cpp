#include "eval/evalcache.h"

bool evalCacheReserve(EvalCache& cache, uint32_t entries) {
    if (!cache.table.reserve(entries)) return false;
    cache.powerOfTwo = (entries & (entries - 1)) == 0;
    cache.slotMask = entries - 1;
    return true;
}
