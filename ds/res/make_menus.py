#!/usr/bin/env python3
"""Writes ui_menus.rc beside this script: the scanning window's pop-up menus,
one per model and language, from the tables below."""
import os

MODES = [  # (English, Japanese, command)
    ("M:2-gradation", "白黒:2階調", "CMD_MODE_MONO_THRESHOLD"),
    ("M:Bayer", "白黒:ベイヤー", "CMD_MODE_MONO_BAYER"),
    ("M:Spiral", "白黒:渦巻き", "CMD_MODE_MONO_SPIRAL"),
    ("M:Dispersed", "白黒:網点", "CMD_MODE_MONO_DISPERSED"),
    ("M:Diffusion", "白黒:誤差拡散", "CMD_MODE_MONO_DIFFUSION"),
    ("C:2-gradation", "カラー:2階調", "CMD_MODE_COLOUR_THRESHOLD"),
    ("C:Bayer", "カラー:ベイヤー", "CMD_MODE_COLOUR_BAYER"),
    ("C:Spiral", "カラー:渦巻き", "CMD_MODE_COLOUR_SPIRAL"),
    ("C:Dispersed", "カラー:網点", "CMD_MODE_COLOUR_DISPERSED"),
    ("C:Diffusion", "カラー:誤差拡散", "CMD_MODE_COLOUR_DIFFUSION"),
    ("Grayscale", "グレースケール", "CMD_MODE_GREY"),
    ("256 color", "256色", "CMD_MODE_256"),
    ("Full color", "フルカラー", "CMD_MODE_FULL"),
]
RESOLUTIONS = {0: [72, 100, 144, 150, 180, 200, 300, 360, 400],
               1: [72, 100, 144, 150, 180, 200, 300, 360, 400, 600, 1200],
               3: [75, 100, 150, 200, 300, 400, 600, 1200]}
AREAS_SMALL = [("A4", "A4", "CMD_AREA_A4"), ("B5", "B5", "CMD_AREA_B5"),
               ("Legal", "リーガル", "CMD_AREA_LEGAL"), ("Letter", "レター", "CMD_AREA_LETTER"),
               ("Invoice", "インボイス", "CMD_AREA_INVOICE"), ("4 x 5", "4 x 5", "CMD_AREA_4X5")]
AREAS_LARGE = [("A3", "A3", "CMD_AREA_A3"), ("A4", "A4", "CMD_AREA_A4"), ("B4", "B4", "CMD_AREA_B4"),
               ("B5", "B5", "CMD_AREA_B5"), ("Double Letter", "ダブルレター", "CMD_AREA_DOUBLE_LETTER"),
               ("Legal", "リーガル", "CMD_AREA_LEGAL"), ("Letter", "レター", "CMD_AREA_LETTER"),
               ("Invoice", "インボイス", "CMD_AREA_INVOICE"), ("4 x 5", "4 x 5", "CMD_AREA_4X5")]
SOURCES = {
    0: [("Reflective", "反射原稿", "CMD_SOURCE_FLATBED"), ("ADF", "ADF", "CMD_SOURCE_ADF"),
        ("FSU", "FSU", "CMD_SOURCE_FSU6")],
    1: [("Reflective", "反射原稿", "CMD_SOURCE_FLATBED"), ("ADF", "ADF", "CMD_SOURCE_ADF"),
        ("FSU(F6)", "FSU(F6)", "CMD_SOURCE_FSU6"), ("FSU(F12)", "FSU(F12)", "CMD_SOURCE_FSU12")],
    3: [("Flat bed", "フラットベッド", "CMD_SOURCE_FLATBED"), ("ADF", "ADF", "CMD_SOURCE_ADF"),
        ("FSU", "FSU", "CMD_SOURCE_FSU6")],
}
NAMES = {0: ("IDM_MENU_WQ140", "IDM_MENU_WQ140_JA"), 1: ("IDM_MENU_WQ215", "IDM_MENU_WQ215_JA"),
         3: ("IDM_MENU_WQ490", "IDM_MENU_WQ490_JA")}
TEXTS = {
    'en': dict(source="Source", mode="Mode", res="Resolution", area="Area", adjust="Adjust",
               more="More Settings", optional="Optional...", none="None", monitor="Monitor",
               ia="Image Adjust...", th="Threshold...", zoom="Zoom", off="OFF", on="ON...",
               film="Film", pos="Positive", neg="Negative...", light="Lightness..."),
    'ja': dict(source="原稿", mode="モード", res="解像度", area="範囲", adjust="調整",
               more="詳細設定", optional="任意...", none="なし", monitor="モニタ",
               ia="画像調整...", th="しきい値...", zoom="ズーム", off="OFF", on="ON...",
               film="フィルム", pos="ポジ", neg="ネガ...", light="明るさ..."),
}


def menu(model, lang, name):
    t = TEXTS[lang]
    ja = lang == 'ja'
    pick = lambda en, jp: jp if ja else en
    out = [f"{name} MENU", "BEGIN", f'  POPUP "{t["source"]}"', "  BEGIN"]
    out += [f'    MENUITEM "{pick(en, jp)}", {cmd}' for en, jp, cmd in SOURCES[model]]
    out += ["  END", f'  POPUP "{t["mode"]}"', "  BEGIN"]
    for k, (en, jp, cmd) in enumerate(MODES):
        if k in (5, 10):
            out.append("    MENUITEM SEPARATOR")
        out.append(f'    MENUITEM "{pick(en, jp)}", {cmd}')
    out += ["  END", f'  POPUP "{t["res"]}"', "  BEGIN"]
    out += [f'    MENUITEM "{d}", CMD_RES_{d}' for d in RESOLUTIONS[model]]
    out += ["    MENUITEM SEPARATOR", f'    MENUITEM "{t["optional"]}", CMD_RES_CUSTOM',
            "  END", f'  POPUP "{t["area"]}"', "  BEGIN"]
    out += [f'    MENUITEM "{pick(en, jp)}", {cmd}'
            for en, jp, cmd in (AREAS_LARGE if model == 3 else AREAS_SMALL)]
    out += ["    MENUITEM SEPARATOR", f'    MENUITEM "{t["optional"]}", CMD_AREA_CUSTOM', "  END",
            f'  POPUP "{t["adjust"]}"', "  BEGIN", f'    MENUITEM "{t["none"]}", CMD_ADJUST_NONE',
            f'    POPUP "{t["monitor"]}"', "    BEGIN", "    END",
            f'    MENUITEM "{t["optional"]}", CMD_ADJUST_CUSTOM', "  END",
            f'  POPUP "{t["more"]}"', "  BEGIN",
            f'    MENUITEM "{t["ia"]}", CMD_IMAGE_ADJUST', f'    MENUITEM "{t["th"]}", CMD_THRESHOLD',
            "    MENUITEM SEPARATOR", f'    POPUP "{t["zoom"]}"', "    BEGIN",
            f'      MENUITEM "{t["off"]}", CMD_ZOOM_OFF', f'      MENUITEM "{t["on"]}", CMD_ZOOM_ON',
            "    END", f'    POPUP "{t["film"]}"', "    BEGIN",
            f'      MENUITEM "{t["pos"]}", CMD_FILM_POSITIVE',
            f'      MENUITEM "{t["neg"]}", CMD_FILM_NEGATIVE', "    END",
            f'    MENUITEM "{t["light"]}", CMD_LIGHTNESS', "  END", "END", ""]
    return out


lines = ["// Pop-up menus of the scanning window, one per model and language, each",
         "// with six sub-menus: source, mode, resolution, scan area, adjust, more",
         "// settings. Written by make_menus.py; the \"Monitor\" sub-menu is filled",
         "// with the colour-matching files at run time.", ""]
for model in (1, 3, 0):
    for lang, name in zip(('en', 'ja'), NAMES[model]):
        lines += menu(model, lang, name)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'ui_menus.rc'), 'w',
          encoding='utf-8') as f:
    f.write("\n".join(lines))
