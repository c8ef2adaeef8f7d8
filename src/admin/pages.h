// The list of pages (admin/page_list.h) as C++ values, for the sheet, the
// setup wizard, the tests and the screenshots. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "admin/page_list.h"

namespace admin {

struct PageEntry {
    const char* name;   // the page's files and pictures
    const char* title;  // its tab
    int icon;           // its icon's resource number
    const char* help;   // its help topic
};

#define UTIL_PAGE_ENTRY(name, title, icon, help) {#name, title, icon, help},
inline constexpr PageEntry kPageList[] = {UTIL_SETTINGS_PAGES(UTIL_PAGE_ENTRY)};
#undef UTIL_PAGE_ENTRY

inline constexpr std::size_t kPageCount = std::size(kPageList);

namespace detail {
// Tests find a page by its title, the resource script its icon by number.
constexpr bool eachPageApart() {
    for (std::size_t i = 0; i < kPageCount; ++i)
        for (std::size_t j = i + 1; j < kPageCount; ++j)
            if (std::string_view(kPageList[i].title) == kPageList[j].title || kPageList[i].icon == kPageList[j].icon)
                return false;
    return true;
}
}  // namespace detail
static_assert(detail::eachPageApart(), "two pages of the list share a title or an icon");

// The entry of the page with this name; a name the list lacks does not
// compile where the entry is wanted as a constant.
constexpr const PageEntry& pageNamed(std::string_view name) {
    for (const PageEntry& page : kPageList)
        if (name == page.name) return page;
    throw "no page of that name in the list of pages";
}

// The position of the page with this title in the sheet; -1 when none.
constexpr int pageIndex(std::string_view title) {
    for (std::size_t i = 0; i < kPageCount; ++i)
        if (title == kPageList[i].title) return static_cast<int>(i);
    return -1;
}

}  // namespace admin
