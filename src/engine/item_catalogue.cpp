#include "engine/item_catalogue.h"

#include <algorithm>

#include "engine/world_tables.h"

namespace {

struct CatalogueRow {
  uint16_t id;
  uint16_t spriteSlot;
  uint8_t traitFlags[TraitFlagCount];
  uint8_t category;
  uint8_t grade;
  uint8_t gradeBonus;
  float factor;
  uint16_t worth;
};

constexpr CatalogueRow kWeapons[] = {
    {6110, 600, {1, 0, 1, 1, 1}, 2, 1, 0, 0.0f, 50},
    {6111, 601, {1, 1, 0, 0, 0}, 1, 2, 0, 0.0f, 180},
    {6112, 602, {1, 0, 0, 0, 1}, 1, 3, 0, 0.0f, 300},
    {6113, 603, {0, 1, 0, 0, 0}, 2, 3, 1, 0.2f, 400},
    {6114, 604, {1, 0, 0, 0, 0}, 1, 4, 0, 0.0f, 430},
    {6115, 605, {1, 0, 0, 0, 0}, 1, 5, 0, 0.0f, 560},
    {6116, 606, {1, 1, 0, 0, 1}, 2, 5, 1, 0.0f, 700},
    {6117, 607, {0, 1, 0, 0, 0}, 1, 6, 0, 1.0f, 1000},
    {6118, 608, {0, 1, 0, 0, 1}, 1, 6, 1, 2.8f, 2000},
    {6119, 609, {0, 1, 0, 0, 1}, 1, 7, 0, 0.0f, 3000},
    {6120, 610, {1, 0, 0, 0, 0}, 1, 6, 1, 0.0f, 700},
    {6121, 611, {0, 1, 0, 0, 1}, 2, 8, 0, 0.0f, 2300},
    {6122, 612, {1, 0, 0, 0, 0}, 1, 8, 1, 0.0f, 980},
    {6123, 613, {1, 0, 0, 0, 0}, 1, 8, 2, 2.0f, 1300},
    {6124, 614, {1, 0, 0, 0, 1}, 1, 8, 3, 4.0f, 2900},
    {6125, 615, {1, 0, 0, 0, 1}, 1, 9, 0, 1.5f, 5000},
    {6126, 616, {1, 0, 0, 0, 1}, 1, 9, 2, 3.3f, 10000},
    {6127, 617, {1, 0, 0, 0, 0}, 1, 10, 0, 0.0f, 1200},
    {6128, 618, {1, 0, 0, 0, 1}, 1, 11, 0, 0.0f, 6000},
    {6129, 619, {1, 0, 0, 0, 1}, 1, 12, 0, 3.2f, 28000},
    {6200, 630, {0, 1, 0, 0, 0}, 1, 3, 0, 0.0f, 300},
    {6201, 631, {0, 1, 0, 0, 0}, 1, 5, 1, 0.0f, 600},
    {6202, 632, {0, 1, 0, 0, 0}, 1, 8, 0, 0.0f, 3000},
    {6203, 633, {0, 1, 0, 0, 0}, 1, 8, 0, 0.0f, 3000},
    {6316, 650, {0, 0, 0, 1, 0}, 2, 2, 0, 0.0f, 180},
    {6317, 651, {0, 0, 0, 1, 0}, 1, 3, 0, 0.0f, 380},
    {6318, 652, {0, 0, 0, 1, 0}, 1, 8, 0, 0.0f, 4000},
    {6319, 655, {0, 0, 0, 1, 0}, 1, 12, 0, 2.8f, 32000},
    {6320, 654, {0, 0, 0, 1, 0}, 1, 14, 0, 4.0f, 60000},
};

constexpr CatalogueRow kBag = {7000, 3000, {0, 0, 0, 0, 0}, 0, 0, 0, 0.0f, 30};
constexpr CatalogueRow kPotion = {7100, 682, {0, 0, 0, 0, 0}, 0, 200, 0, 0.0f, 50};

struct ArmourFamily {
  uint16_t baseId;
  uint16_t spriteSlot;
  float factor;
  uint16_t worth;
};

constexpr uint8_t kArmourPieces = 14;
constexpr uint8_t kFirstArmourCategory = 10;

constexpr ArmourFamily kArmourFamilies[] = {
    {8100, 730, 0.1f, 30},  {8130, 740, 0.2f, 70},  {8170, 741, 0.3f, 120}, {8200, 742, 0.4f, 160},
    {8220, 743, 0.5f, 210}, {8250, 744, 0.6f, 280}, {8280, 745, 0.7f, 350}, {8320, 746, 0.9f, 600},
};

// Every field the catalogue writes and CopyItem copies; the unwritten ones stay as they are.
void CopyWrittenFields(const ItemRecord& source, ItemRecord& destination) {
  ItemRecord copy = destination;
  std::copy_n(source.gameBytesA, 2, copy.gameBytesA);
  copy.spriteSlot = source.spriteSlot;
  copy.itemId = source.itemId;
  copy.gameByteB = source.gameByteB;
  std::copy_n(source.gameWordsA, 2, copy.gameWordsA);
  std::copy_n(source.gameBytesC, 2, copy.gameBytesC);
  std::copy_n(source.traitFlags, TraitFlagCount, copy.traitFlags);
  copy.category = source.category;
  copy.gameByteD = source.gameByteD;
  copy.weaponFlag = source.weaponFlag;
  copy.grade = source.grade;
  copy.gradeBonus = source.gradeBonus;
  copy.gradeValue = source.gradeValue;
  std::copy_n(source.gameBytesE, 4, copy.gameBytesE);
  copy.factor = source.factor;
  std::copy_n(source.gameBytesF, 13, copy.gameBytesF);
  copy.gameWordB = source.gameWordB;
  copy.worth = source.worth;
  std::copy_n(source.gameWordsC, 4, copy.gameWordsC);
  destination = copy;
}

// Row id takes the row's values and 0 in every other written field.
void WriteRow(uint32_t id, const CatalogueRow& row, uint8_t weaponFlag) {
  ItemRecord record{};
  record.spriteSlot = row.spriteSlot;
  record.itemId = id;
  std::copy_n(row.traitFlags, TraitFlagCount, record.traitFlags);
  record.category = row.category;
  record.weaponFlag = weaponFlag;
  record.grade = row.grade;
  record.gradeBonus = row.gradeBonus;
  record.factor = row.factor;
  record.worth = row.worth;
  CopyWrittenFields(record, World.ItemTable[id]);
}

void WriteArmourFamily(const ArmourFamily& family) {
  for (uint8_t piece = 0; piece < kArmourPieces; ++piece) {
    const CatalogueRow row = {static_cast<uint16_t>(family.baseId + piece), family.spriteSlot, {1, 1, 1, 1, 1},
                              static_cast<uint8_t>(kFirstArmourCategory + piece), 0, 0, family.factor,
                              family.worth};
    WriteRow(row.id, row, 0);
  }
}

}  // namespace

void FillItemCatalogue() {
  WriteRow(0, CatalogueRow{}, 0);
  for (const CatalogueRow& weapon : kWeapons) WriteRow(weapon.id, weapon, 1);
  WriteRow(kBag.id, kBag, 0);
  WriteRow(kPotion.id, kPotion, 0);
  for (const ArmourFamily& family : kArmourFamilies) WriteArmourFamily(family);
}

void MakeItemInstances() {
  CopyItem(10000, 6110);
  CopyItem(9000, 6110);
  CopyItem(9001, 6111);
  CopyItem(9002, 6200);
  CopyItem(9003, 6316);
}

void CopyItem(uint32_t destination, uint32_t source) {
  if (World.ItemTable == nullptr || destination >= ItemCount || source >= ItemCount) return;
  ItemRecord& copy = World.ItemTable[destination];
  CopyWrittenFields(World.ItemTable[source], copy);
  copy.gradeValue = static_cast<float>(copy.grade);
}
