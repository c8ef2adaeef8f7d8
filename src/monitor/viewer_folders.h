// The places the mailbox viewer shows: the nodes of its folder tree and
// their folders, the status of a listed message, and the destinations a
// message can be copied or moved to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace monitor {

// Node ids: an account's node is its index (0, 1, ...); the others are fixed.
inline constexpr int kMailboxesNode = -1;
inline constexpr int kSystemNode = -2;
inline constexpr int kOutQueueNode = -3;
inline constexpr int kInQueueNode = -4;
inline constexpr int kArchiveNode = -5;
inline constexpr int kOutArchiveNode = -6;
inline constexpr int kInArchiveNode = -7;
inline constexpr int kSpamNode = -8;

inline bool isAccountNode(int id) { return id >= 0; }
inline bool isTopLevelNode(int id) { return id == kMailboxesNode || id == kSystemNode || id == kArchiveNode; }

// The fixed items of the tree in their order; parent 0 marks a top-level item.
struct FixedNode {
    int id;
    const char* label;
    int parent;
};
inline constexpr FixedNode kFixedNodes[] = {
    {kMailboxesNode, "Mailboxes", 0},   {kSystemNode, "System", 0},
    {kOutQueueNode, "Outgoing mail", kSystemNode}, {kInQueueNode, "Incoming mail", kSystemNode},
    {kArchiveNode, "Archive", 0},       {kOutArchiveNode, "Outgoing mail", kArchiveNode},
    {kInArchiveNode, "Incoming mail", kArchiveNode}, {kSpamNode, "Spam", kArchiveNode},
};

// The install folder and the archive folder (the configured one, or the
// install folder's "archive" when none is set).
struct Places {
    std::string install;
    std::string archive;
};
Places viewerPlaces(std::string_view installFolder, std::string_view configuredArchive);

// The folder a node shows, without a trailing backslash; accountFolder is
// an account's user name. Empty for the three top-level items.
std::string nodeFolder(int id, const Places& places, std::string_view accountFolder = {});

// The icon of a list entry, 0 to 5: by the folder's node and whether the
// message has a hold marker.
int messageStatus(int node, bool held);

// The entries of "Select Destination": every account but the source with
// its index (accountNames holds every account at its number; one without a
// name is not offered), then the archives that are not the source.
struct Destination {
    std::string label;
    int id;
};
std::vector<Destination> transferDestinations(const std::vector<std::string>& accountNames, int sourceNode);

}  // namespace monitor
