// The pages of "Server Settings" in the sheet's order: the one list that
// gives the sheet its pages and their count, each page's title, icon and
// help topic, and the names of its files and pictures. One line a page:
//
//   PAGE(name, title, icon, help topic)
//
// name: the page's definition (admin::pages::name, in admin/name_page.cpp),
// its icon's image (resources/images/name.ico) and its pictures
// (docs/screenshots/page_name.png); icon: the icon's resource number;
// help topic: the page of the help file its Help opens.
//
// Read by the C++ code (admin/pages.h), the resource script (the icons), the
// help file's build and its tests.
#pragma once

#define UTIL_SETTINGS_PAGES(PAGE)                                   \
    PAGE(domain, "Domain", 233, "domains.htm")                      \
    PAGE(dialup, "Dialup", 229, "dialup.htm")                       \
    PAGE(outgoing, "Outgoing", 235, "outgoing.htm")                 \
    PAGE(incoming, "Incoming", 241, "incoming.htm")                 \
    PAGE(antispam, "Anti-Spam", 262, "spam.htm")                    \
    PAGE(schedule, "Schedule", 245, "schedule.htm")                 \
    PAGE(reminders, "Reminders", 232, "reminder.htm")               \
    PAGE(routing, "Routing", 170, "routing.htm")                    \
    PAGE(password, "Password", 228, "password.htm")                 \
    PAGE(address_lists, "Address Lists", 236, "address lists.htm")  \
    PAGE(aliases, "Aliases", 231, "aliases.htm")                    \
    PAGE(footnote, "Foot Note", 234, "footnote.htm")                \
    PAGE(scanner, "Scanner", 251, "snooper.htm")                    \
    PAGE(attachments, "Attachments", 221, "attachments.htm")        \
    PAGE(ports, "Ports", 239, "ports.htm")                          \
    PAGE(options, "Options", 246, "options.htm")
