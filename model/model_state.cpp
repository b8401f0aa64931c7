// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "model/model.h"

ModelState gModel;

void ResetModelState() { std::memset(&gModel, 0, sizeof gModel); }

void SetHomeLatitude(int latitude) { gModel.homeLatitude = latitude; }

void ResetModelToEarthNormal() {
    ModelSettings& s = gModel.settings;
    s.axisTilt = EarthNormalTilt;
    s.orbitShape = EarthNormalShape;
    s.latitude[0] = gModel.homeLatitude;
    s.latitude[1] = kNoLatitude;
    s.earthView = kViewTemperature;
    s.animationSpeed = 3;
}

void EnsureOneLatitude() {
    ModelSettings& s = gModel.settings;
    if (s.latitude[0] > 90 && s.latitude[1] > 90) s.latitude[0] = gModel.homeLatitude;
}

// The band and latitude tables hold the first half-year; the second half mirrors it.
int StepOfDay(int d) { return d <= 180 ? d : 360 - d; }

bool RebuildYearSeries(double cx, double cy, double a, double b, OrbitTrack& track) {
    if (!ComputeOrbit(cx, cy, a, b, track, 1)) return false;
    ComputeYearInsolation();
    ComputeYearTemperatures();
    return gModel.spinUpSettled;
}

bool RebuildYearSeries() {
    // Any geometry gives the same tables; this one is the size of a typical Earth picture.
    return RebuildYearSeries(400, 300, 300, 100, gModel.series.mainTrack);
}

void TakeRunSnapshot(RunSnapshot& out) {
    const ModelSettings& s = gModel.settings;
    const YearSeries& y = gModel.series;
    out.axisTilt = s.axisTilt;
    out.orbitShape = s.orbitShape;
    std::memcpy(out.latitude, s.latitude, sizeof out.latitude);
    std::memcpy(out.latTemperature, y.latTemperature, sizeof out.latTemperature);
    out.tempAxisMax = y.tempAxisMax;
    out.tempAxisMin = y.tempAxisMin;
    std::memcpy(out.latEnergy, y.latEnergy, sizeof out.latEnergy);
    out.latEnergyMax = y.latEnergyMax;
    std::memcpy(out.latDaylightMinutes, y.latDaylightMinutes, sizeof out.latDaylightMinutes);
}

void RestoreRunSnapshot(const RunSnapshot& in) {
    ModelSettings& s = gModel.settings;
    YearSeries& y = gModel.series;
    s.axisTilt = in.axisTilt;
    s.orbitShape = in.orbitShape;
    std::memcpy(s.latitude, in.latitude, sizeof s.latitude);
    std::memcpy(y.latTemperature, in.latTemperature, sizeof y.latTemperature);
    y.tempAxisMax = in.tempAxisMax;
    y.tempAxisMin = in.tempAxisMin;
    std::memcpy(y.latEnergy, in.latEnergy, sizeof y.latEnergy);
    y.latEnergyMax = in.latEnergyMax;
    std::memcpy(y.latDaylightMinutes, in.latDaylightMinutes, sizeof y.latDaylightMinutes);
}
