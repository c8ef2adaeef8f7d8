// "Select Destination": where the viewer copies or moves messages.
#pragma once

#define IDD_SELECT_DESTINATION 161
#define IDC_DEST_LIST 1050
#define IDC_DEST_COPY 1105
#define IDC_DEST_MOVE 3
