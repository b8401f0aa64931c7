// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/simulation_state.h"

SimulationState gSim;

void ReleaseSimulationSurfaces() {
    delete[] gSim.globeBuffers;
    gSim.globeBuffers = nullptr;
    ReleaseBuffer(gSim.backdrop);
    ReleaseBuffer(gSim.scene);
    ReleaseBuffer(gSim.globe);
    ReleaseBuffer(gSim.tiltGlobeBuffer);
}

void ResetSimulationState() {
    ReleaseSimulationSurfaces();
    gSim = SimulationState();
    gSim.starSeed = 1;
}
