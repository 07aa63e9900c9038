#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <vector>

#include "binding/fake_memory_area.h"
#include "binding/headless_binder.h"
#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"

namespace {

// Where a control is bound: the first or the second of two areas, or no area.
constexpr int kNowhere = -1;

// Two areas and the way their owner binds controls to them.
class TAreaOwner {
 public:
  virtual ~TAreaOwner() = default;
  virtual void Bind(IBoundControl& control, int area) = 0;
  virtual TBaseDeviceMemoryItem* Area(int area) = 0;
  virtual const std::vector<IBoundControl*>& Controls(int area) = 0;
};

// The registry binds by the cell's module and location, as the window binds its pages. A
// control that moves to another module is what a module override does; a cell of a module
// the registry does not know leaves it unbound.
class TRegistryAreas : public TAreaOwner {
 public:
  void Bind(IBoundControl& control, int area) override {
    const TCell cell = area == kNowhere ? TCell{0, mlExt} : kCells[static_cast<size_t>(area)];
    control.SetLanAddr(cell.LanAddr);
    control.SetMemID(cell.MemID);
    IBoundControl* const controls[] = {&control};
    devices_.BindControls(controls, {});
  }
  TBaseDeviceMemoryItem* Area(int area) override { return Find(area); }
  const std::vector<IBoundControl*>& Controls(int area) override { return Find(area)->Controls(); }

 private:
  struct TCell {
    uint8_t LanAddr;
    TMemoryLocation MemID;
  };
  // The main module's settings and the GSM module's.
  static constexpr std::array<TCell, 2> kCells = {{{kMainModuleAddr, mlExt}, {3, mlInt}}};

  TDeviceMemoryItem* Find(int area) const {
    return devices_.FindMem(kCells[static_cast<size_t>(area)].LanAddr,
                            kCells[static_cast<size_t>(area)].MemID);
  }

  TLanDevices devices_;
};

// The areas the widget and binding tests bind their controls to.
class TFakeAreas : public TAreaOwner {
 public:
  void Bind(IBoundControl& control, int area) override {
    if (area == kNowhere) {
      control.SetMem(nullptr);
    } else {
      areas_[static_cast<size_t>(area)].Attach(control);
    }
  }
  TBaseDeviceMemoryItem* Area(int area) override { return &areas_[static_cast<size_t>(area)]; }
  const std::vector<IBoundControl*>& Controls(int area) override {
    return areas_[static_cast<size_t>(area)].Controls();
  }

 private:
  std::array<TFakeMemoryArea, 2> areas_;
};

enum class TOwnerKind { Registry, Fake };

struct TLifetimeCase {
  const char* Name;
  TOwnerKind Owner;
  std::vector<int> Binds;  // where the control is bound, in turn
  bool AreasGoFirst;
};

void PrintTo(const TLifetimeCase& c, std::ostream* os) {
  *os << c.Name;
}

std::unique_ptr<TAreaOwner> MakeOwner(TOwnerKind kind) {
  if (kind == TOwnerKind::Registry) return std::make_unique<TRegistryAreas>();
  return std::make_unique<TFakeAreas>();
}

// Pages and the registry are torn down in whatever order their owners pick: whichever of a
// control and its area goes first, the other must not call into it afterwards. A crash or
// a sanitizer report fails the case even where the expectations hold.
class AreaLifetime : public ::testing::TestWithParam<TLifetimeCase> {};

TEST_P(AreaLifetime, WhicheverGoesFirstTheOtherForgetsIt) {
  const TLifetimeCase& c = GetParam();
  std::unique_ptr<TAreaOwner> owner = MakeOwner(c.Owner);
  auto control = std::make_unique<THeadlessControl>(QStringLiteral("cbCell"), QString());
  for (const int area : c.Binds) owner->Bind(*control, area);

  const int bound = c.Binds.back();
  EXPECT_EQ(control->GetMem(), bound == kNowhere ? nullptr : owner->Area(bound));
  for (const int area : {0, 1}) {
    EXPECT_EQ(std::ranges::count(owner->Controls(area), control.get()), area == bound ? 1 : 0)
        << "area " << area << " lists the control as often as it is bound there";
  }

  if (c.AreasGoFirst) {
    owner.reset();
    EXPECT_EQ(control->GetMem(), nullptr) << "the areas that went unbound their control";
    control->Refresh();  // reaches for no area
    control.reset();
  } else {
    const IBoundControl* gone = control.get();
    control.reset();
    for (const int area : {0, 1}) {
      EXPECT_EQ(std::ranges::count(owner->Controls(area), gone), 0)
          << "area " << area << " forgot the control that went";
    }
    owner.reset();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bindings, AreaLifetime,
    ::testing::ValuesIn(std::vector<TLifetimeCase>{
        {"RegistryAreasFirst", TOwnerKind::Registry, {0}, true},
        {"RegistryControlFirst", TOwnerKind::Registry, {0}, false},
        {"RegistryBoundTwiceAreasFirst", TOwnerKind::Registry, {0, 0}, true},
        {"RegistryMovedAreasFirst", TOwnerKind::Registry, {0, 1}, true},
        {"RegistryMovedControlFirst", TOwnerKind::Registry, {0, 1}, false},
        {"RegistryUnboundAreasFirst", TOwnerKind::Registry, {0, kNowhere}, true},
        {"RegistryUnboundControlFirst", TOwnerKind::Registry, {0, kNowhere}, false},
        {"FakeAreasFirst", TOwnerKind::Fake, {0}, true},
        {"FakeControlFirst", TOwnerKind::Fake, {0}, false},
        {"FakeBoundTwiceAreasFirst", TOwnerKind::Fake, {0, 0}, true},
        {"FakeMovedAreasFirst", TOwnerKind::Fake, {0, 1}, true},
        {"FakeMovedControlFirst", TOwnerKind::Fake, {0, 1}, false},
        {"FakeUnboundAreasFirst", TOwnerKind::Fake, {0, kNowhere}, true},
        {"FakeUnboundControlFirst", TOwnerKind::Fake, {0, kNowhere}, false},
    }),
    [](const ::testing::TestParamInfo<TLifetimeCase>& info) { return info.param.Name; });

}  // namespace
