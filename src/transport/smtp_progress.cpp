#include "transport/smtp_progress.h"

#include <cstdio>

namespace util {

std::string deliveryProgress(std::uint32_t sent, std::uint32_t total) {
    char text[96];
    unsigned long s = sent, t = total;
    if (s > t)
        std::snprintf(text, sizeof text, "Delivering (%lu of %lu)...", s, t);
    else if (t < 1000000)
        std::snprintf(text, sizeof text, "Delivering (%lu,%03lu of %lu,%03lu)...", s / 1000, s % 1000, t / 1000,
                      t % 1000);
    else if (s < 1000)
        std::snprintf(text, sizeof text, "Delivering (%lu of %lu,%03lu,%03lu)...", s, t / 1000000,
                      t / 1000 % 1000, t % 1000);
    else if (s < 1000000)
        std::snprintf(text, sizeof text, "Delivering (%lu,%03lu of %lu,%03lu,%03lu)...", s / 1000, s % 1000,
                      t / 1000000, t / 1000 % 1000, t % 1000);
    else
        std::snprintf(text, sizeof text, "Delivering (%lu,%03lu,%03lu of %lu,%03lu,%03lu)...", s / 1000000,
                      s / 1000 % 1000, s % 1000, t / 1000000, t / 1000 % 1000, t % 1000);
    return text;
}

}  // namespace util
