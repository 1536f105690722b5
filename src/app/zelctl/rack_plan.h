#pragma once
// Which devices a run on several devices goes to, refused as a whole before anything is sent
// when one is unknown or two would share a port.
#include <string>
#include <vector>

#include "terminal/device_list.h"

namespace zel::ctl {

struct RackPlan {
    std::vector<Device> devices;
    std::string error;  // why nothing may run; empty when all may
};

// `chosen` is "all", a sheet's path ending in .csv (its text in `sheet`), or names separated by
// commas.
RackPlan PlanRack(const std::string& chosen, const std::vector<Device>& stored,
                  const DeviceSheet* sheet);

// Why `name` cannot be used: no device has it; names those that exist.
std::string NoDevice(const std::string& name, const std::vector<Device>& stored);

// Whether `chosen` names a sheet file rather than devices.
bool NamesSheet(const std::string& chosen);

}  // namespace zel::ctl
