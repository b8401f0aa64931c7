// SPDX-License-Identifier: GPL-3.0-or-later
// The places table and latitude texts.
#include "settings/places.h"

#include <cstdint>
#include <cstdio>

const char* const PlacesTable[kPlacesRows][kPlacesPerRow] = {
    {"North Pole", "Arctic Ocean", "", "", ""},
    {"Resolute, Canada", "New Siberian I.", "Daneborg, Greenland", "Bear I., Norway", "Noril'sk, Russia"},
    {"Seward, Alaska", "Oslo, Norway", "St. Petersburg, Russia", "Churchill, Manitoba", "Reykjavik, Iceland"},
    {"St. Paul/Minneapolis", "Belgrade, Serbia", "Ottawa, Ontario", "Milan, Italy", "Salem, Oregon"},
    {"New Orleans, Louisiana", "Cairo, Egypt", "Shanghai, China", "Delhi, India", "Houston, Texas"},
    {"Guatemala", "Dakar, Senegal", "Manila, Philippines", "Bangkok, Thailand", "Khartoum, Sudan"},
    {"Quito, Equador", "Singapore", "Addis Ababa, Ethiopia", "Christmas I., USA", "Mogadishu, Somalia"},
    {"Brasilia, Brazil", "La Paz, Bolivia", "Lusaka, Zambia", "Cooktown, Australia", "Apia, Somoa"},
    {"Perth, Australia", "Durban, S. Africa", "Whangarei, N.Z.", "Porto Alegre, Brazil", ""},
    {"Christchurch, New Zealand", "Hobart, Tasmania", "Southern Chile", "Camarones, Argentina", ""},
    {"S. Orkney I., Britain", "South Shetland I.", "Cape Horn, S.A.", "", ""},
    {"McMurdo Base, Antarctica", "Halley Bay, Ant.", "Victoria Land, Ant.", "Ross Sea", "Weddell Sea"},
    {"South Pole", "Queen Maud Mtns, Ant.", "", "", ""},
    {"You Are Here", "", "", "", ""},
    {"Across Eq. from You", "", "", "", ""},
};

size_t FormatLatitude(double latitude, char* out, size_t size) {
    if (out == nullptr || size == 0) return 0;
    int n;
    if (latitude > 0) {
        n = std::snprintf(out, size, "%.0f\xBA N", latitude);
    } else if (latitude < 0) {
        n = std::snprintf(out, size, "%.0f\xBA S", -latitude);
    } else {
        // Zero, and also a NaN, which is neither north nor south.
        n = std::snprintf(out, size, "EQU");
    }
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return size_t(n) < size ? size_t(n) : size - 1;
}

int32_t PlacesRowLatitude(int row, int32_t homeLatitude) {
    if (row < 0 || row >= kPlacesRows) return 0;
    if (row == kPlacesHomeRow) return homeLatitude;
    if (row == kPlacesAcrossRow) return homeLatitude == INT32_MIN ? INT32_MAX : -homeLatitude;
    return 90 - 15 * row;
}

const char* PlaceName(int row, int index) {
    if (row < 0 || row >= kPlacesRows || index < 0 || index >= kPlacesPerRow) return "";
    return PlacesTable[row][index];
}
