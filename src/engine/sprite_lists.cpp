// The sprite files read at start-up, in the order of reading, each into its fixed slot.
#include <cstdio>
#include <span>

#include "engine/sprite_bank.h"
#include "platform/platform.h"

namespace {

struct SpriteEntry {
  uint16_t slot;
  const char* fileName;
};

struct SpriteList {
  const char* folder;
  std::span<const SpriteEntry> entries;
};

constexpr SpriteEntry kCross[] = {
    {1104, "cross4.bmp"},
};

constexpr SpriteEntry kUnits[] = {
    {801, "unit_giant_rat.bmp"}, {802, "unit_green_slime.bmp"}, {803, "unit_dog.bmp"},
    {805, "unit_serpent.bmp"}, {806, "unit_fungus.bmp"}, {810, "unit_goblin.bmp"}, {811, "unit_nabos.bmp"},
    {812, "unit_orc_b.bmp"}, {820, "unit_beatle.bmp"}, {821, "unit_gor_dog.bmp"},
    {822, "unit_giant_spider.bmp"}, {823, "unit_serpent_fire.bmp"}, {824, "unit_beatle_fire.bmp"},
    {829, "unit_drius.bmp"}, {830, "unit_rust_monster.bmp"}, {831, "unit_giant_worm.bmp"},
    {832, "unit_gelatinous_cube.bmp"}, {840, "unit_polar_geer.bmp"}, {841, "unit_squeletton.bmp"},
    {842, "unit_squeletton_zombi_wounded.bmp"}, {843, "unit_squeletton_zombi.bmp"}, {849, "unit_mage.bmp"},
    {852, "unit_squeletton_sturdy.bmp"}, {853, "unit_dwarf.bmp"}, {854, "unit_squeletton_monster.bmp"},
    {861, "unit_squeletton_brave.bmp"}, {863, "unit_squeletton_floating.bmp"}, {870, "unit_minotor.bmp"},
    {871, "unit_floating_eye.bmp"}, {872, "unit_squeletton_fire.bmp"}, {874, "unit_mage_eye.bmp"},
    {875, "unit_squeletton_ogre.bmp"}, {876, "unit_ogre.bmp"}, {878, "unit_squeletton_armored.bmp"},
    {881, "unit_medusa.bmp"}, {882, "unit_squeletton_warrior.bmp"}, {883, "unit_mantis.bmp"},
    {890, "unit_squeletton_evil.bmp"}, {902, "unit_lich.bmp"}, {903, "unit_dragon.bmp"},
    {904, "unit_dragon_hydra.bmp"}, {906, "unit_dragon_basilic.bmp"}, {960, "unit_fire.bmp"},
    {961, "unit_fire_fire.bmp"}, {962, "unit_fire_fire_fire.bmp"}, {963, "unit_water.bmp"},
    {964, "unit_water_water.bmp"}, {965, "unit_water_water_water.bmp"}, {966, "unit_earth.bmp"},
    {967, "unit_earth_earth.bmp"}, {968, "unit_earth_earth_earth.bmp"}, {969, "unit_air.bmp"},
    {970, "unit_air_air.bmp"}, {971, "unit_air_air_air.bmp"}, {980, "unit_fighter.bmp"},
    {981, "unit_mage.bmp"}, {982, "unit_cleric.bmp"}, {983, "unit_bandit.bmp"},
};

constexpr SpriteEntry kLand[] = {
    {10, "plain.bmp"}, {11, "forest.bmp"}, {12, "forest_fruit.bmp"}, {13, "forest_gray.bmp"},
    {14, "water.bmp"}, {15, "water_deep.bmp"}, {16, "swamp_a.bmp"}, {17, "desert_a.bmp"},
    {18, "hills_a.bmp"}, {19, "mountain.bmp"}, {20, "mountain_high_a.bmp"}, {21, "forest_leaf.bmp"},
    {22, "road_b.bmp"}, {23, "forest_b.bmp"}, {24, "forest_c.bmp"}, {180, "village_b.bmp"},
    {181, "village_b_yellow.bmp"}, {182, "village_b_blue.bmp"}, {183, "village_b_green.bmp"},
    {184, "village_b_red.bmp"}, {188, "ruin_a.bmp"}, {189, "castle_a.bmp"}, {190, "grottus.bmp"},
    {191, "mine.bmp"}, {192, "iron_mine.bmp"}, {193, "forest_leaf.bmp"}, {194, "well.bmp"},
};

constexpr SpriteEntry kDungeon[] = {
    {111, "wall.bmp"}, {118, "floor_marble.bmp"}, {119, "floor.bmp"}, {120, "chest.bmp"},
    {121, "chest_open.bmp"}, {122, "candelabrum.bmp"}, {123, "candelabrum_extinct.bmp"},
    {124, "coffin.bmp"}, {125, "coffin_open.bmp"}, {126, "floor_bones.bmp"},
    {127, "floor_bones_cleaned.bmp"}, {128, "door.bmp"}, {129, "door_opened.bmp"}, {130, "source.bmp"},
    {131, "source_complete.bmp"}, {132, "spawn.bmp"}, {133, "spawn_complete.bmp"}, {134, "fountain.bmp"},
    {135, "fountain_drank.bmp"}, {136, "stairsd.bmp"}, {137, "stairsu.bmp"}, {140, "circle.bmp"},
    {141, "circle_golden.bmp"}, {142, "circle_aflamed.bmp"}, {144, "altar.bmp"}, {145, "altar_jeweled.bmp"},
    {146, "altar_dark.bmp"}, {148, "trap.bmp"}, {149, "trap_disabled.bmp"}, {152, "torch.bmp"},
    {153, "torch_extinct.bmp"}, {155, "geer_mecanism.bmp"}, {156, "lever.bmp"}, {160, "source.bmp"},
    {161, "source_red.bmp"}, {162, "source_green.bmp"}, {163, "source_blue.bmp"},
    {164, "source_yellow.bmp"}, {165, "source_brown.bmp"}, {167, "scrolls.bmp"},
};

constexpr SpriteEntry kStructures[] = {
    {390, "hart.bmp"}, {400, "structure_farm.bmp"}, {401, "structure_merchant.bmp"},
    {402, "structure_quary.bmp"}, {403, "structure_stable.bmp"}, {404, "structure_tower.bmp"},
    {405, "structure_barrack.bmp"}, {406, "structure_blacksmith.bmp"}, {407, "structure_castle.bmp"},
    {408, "structure_church.bmp"},
};

constexpr SpriteEntry kItems[] = {
    {0, "blank.bmp"}, {600, "item_knife.bmp"}, {601, "item_dagger.bmp"}, {602, "item_short_sword.bmp"},
    {603, "item_gauche.bmp"}, {604, "item_long_sword.bmp"}, {605, "item_bastard_sword.bmp"},
    {606, "item_kopesh.bmp"}, {607, "item_blade.bmp"}, {608, "item_blade_ameliorated.bmp"},
    {609, "item_behead.bmp"}, {610, "item_broad_sword.bmp"}, {611, "item_horner.bmp"},
    {612, "item_glaive.bmp"}, {613, "item_saber.bmp"}, {614, "item_saber_ameliorated.bmp"},
    {615, "item_whale_blade.bmp"}, {616, "item_whale_blade_ameliorated.bmp"},
    {617, "item_two_handed_sword.bmp"}, {618, "item_two_bladed_sword.bmp"},
    {619, "item_two_bladed_sword_ameliorated.bmp"}, {3000, "item_bag.bmp"}, {3001, "item_blue_bag.bmp"},
    {630, "item_maul.bmp"}, {631, "item_morningstar.bmp"}, {632, "item_mace.bmp"},
    {633, "item_war_mace.bmp"}, {640, "item_staff.bmp"}, {641, "item_rod.bmp"}, {642, "item_wand.bmp"},
    {650, "item_hand_axe.bmp"}, {651, "item_axe.bmp"}, {652, "item_battle_axe.bmp"},
    {653, "item_iron_battle_axe.bmp"}, {654, "item_iron_ordered_battle_axe.bmp"},
    {655, "item_iron_rubioux_battle_axe.bmp"}, {680, "item_potion_red.bmp"}, {681, "item_potion_green.bmp"},
    {682, "item_potion_blue.bmp"}, {683, "item_potion_yellow.bmp"}, {684, "item_potion_white.bmp"},
    {730, "item_blue_robe.bmp"}, {731, "item_red_robe.bmp"}, {732, "item_gray_robe.bmp"},
    {740, "item_leather_armor.bmp"}, {741, "item_studded_leather_armor.bmp"}, {742, "item_chain_mail.bmp"},
    {743, "item_scale_armor_b.bmp"}, {744, "item_plate_armor.bmp"}, {745, "item_full_plate_armor.bmp"},
    {746, "item_magic_armor.bmp"}, {780, "socket.bmp"}, {785, "alleviated_corner1.bmp"},
    {786, "alleviated_corner2.bmp"}, {787, "alleviated_corner3.bmp"}, {788, "alleviated_corner4.bmp"},
};

constexpr SpriteEntry kScreens[] = {
    {1000, "intro1.bmp"},
};

constexpr SpriteEntry kCubes[] = {
    {1200, "structure_castle.bmp"}, {1201, "brickold2.bmp"}, {1202, "grass3.bmp"}, {1203, "dirt1.bmp"},
    {1204, "brickold3.bmp"}, {1205, "item_whale_blade.bmp"}, {1206, "DSC3.bmp"},
};

constexpr SpriteEntry kCubeUnits[] = {
    {1210, "unit_green_slime.bmp"}, {1211, "unit_nabos.bmp"}, {1212, "unit_serpent.bmp"},
    {1213, "unit_giant_spider.bmp"}, {1214, "unit_serpent_fire.bmp"}, {1215, "unit_giant_worm.bmp"},
    {1216, "unit_floating_eye.bmp"}, {1217, "unit_gelatinous_cube.bmp"}, {1218, "unit_ogre.bmp"},
    {1219, "unit_mage_eye.bmp"}, {1220, "unit_minotor.bmp"}, {1221, "unit_mantis.bmp"},
    {1222, "unit_dragon_hydra.bmp"}, {1223, "unit_pleidian.bmp"},
};

// The order of the reads; "bmp_unit" serves twice.
constexpr SpriteList kSpriteLists[] = {
    {"bmp_cross", kCross},
    {"bmp_unit", kUnits},
    {"bmp_land", kLand},
    {"bmp_dungeon", kDungeon},
    {"bmp_structure", kStructures},
    {"bmp_item", kItems},
    {"bmp_scr", kScreens},
    {"bmp_cube", kCubes},
    {"bmp_unit", kCubeUnits},
};

}  // namespace

void LoadSpriteLists() {
  const char separator = platform::NativeConventions().separator;
  for (const SpriteList& list : kSpriteLists) {
    for (const SpriteEntry& entry : list.entries) {
      char path[128];
      std::snprintf(path, sizeof path, ".%c%s%c%s", separator, list.folder, separator, entry.fileName);
      LoadSpriteBitmap(path, entry.slot);
    }
  }
}
