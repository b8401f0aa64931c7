// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include "model/model.h"

// Every model test starts from a zeroed model at Earth Normal with a home latitude of 45.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        SetHomeLatitude(45);
        ResetModelToEarthNormal();
    }
    void Set(double tilt, double shape, int lat0, int lat1 = kNoLatitude) {
        Settings().axisTilt = tilt;
        Settings().orbitShape = shape;
        Settings().latitude[0] = lat0;
        Settings().latitude[1] = lat1;
    }
};
