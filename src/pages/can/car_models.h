#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The cars the CAN interface knows: each model belongs to a group and a subgroup, the two
// numbers the interface is set to. The rows of one brand are consecutive; no model name
// occurs twice. The three texts say how far the interface supports central locking,
// sequential unlocking and arming with the car's own alarm on that car; empty where not
// known.
struct TCarModel {
  const char* Brand = "";
  const char* Model = "";
  int Group = 0;
  int Subgroup = 0;
  const char* Locking = "";
  const char* SequentialUnlock = "";
  const char* OwnAlarm = "";
};

std::span<const TCarModel> CarModelTable();

// Brands in table order, each once.
QStringList CarBrands();
// The models of a brand in table order; every model for the empty brand.
QStringList CarModelsOf(const QString& brand);
// The models whose brand or name contains `text`, ignoring case, in table order.
QStringList CarModelsMatching(const QString& text);
// The first row of that model name; nullptr for none.
const TCarModel* FindCarModel(const QString& name);
// Every group and every subgroup, each once, ascending.
std::vector<int> CarGroups();
std::vector<int> CarSubgroups();
// The subgroups of one group, each once, in table order or ascending.
std::vector<int> CarSubgroupsOf(int group, bool sorted);

// The hint the arming and disarming choices get when a model is chosen.
QString CarChoiceHint(const TCarModel& model);
// Whether the choices get it, by what the current group and subgroup labels show: not while
// the interface reports its group unknown, or reports a group without a car.
bool CarHintApplies(const QString& group, const QString& subgroup);

// A group or subgroup typed by the user: a decimal number 0 to 255, none otherwise, so that
// a bigger number is never sent as its low byte.
std::optional<uint8_t> CarModelNumber(const QString& text);
