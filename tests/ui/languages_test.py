"""The game in Turkish and in Greek, as a player whose desktop speaks the language starts it
(LANGUAGE and a UTF-8 locale of that language): the menus, the status and score lines, the board
and a square as a screen reader hears them and the rules, all read through AT-SPI."""

import os
import subprocess
import tempfile

import harness
from harness import Atspi

ROLE = Atspi.Role

# What each language shows: the menu bar, the Game menu's items in order, the first turn's
# status and score lines, a square with a red man, the board's name, the rules' title and their
# first words.
LANGUAGES = {
    "tr_TR": {
        "menus": ["Oyun", "Seçenekler", "Görünüm", "Yardım"],
        "game_menu": ["Yeni oyun başlat", "Oyun yükle", "Oyunu kaydet", "Hamleyi geri al",
                      "Hamleyi tekrarla", "İpucu", "Hemen oyna", "Kayıt aç...",
                      "Kaydı farklı kaydet...", "Konumu kopyala", "Konumu yapıştır", "Çıkış"],
        "status": "Sıra sizde...",
        "score": "Siz (kırmızı): 16 Bilgisayar (mavi) : 16",
        "square": "c3, kırmızı taş",
        "board": "Tahta",
        "rules": ("Kurallar", "Zarvo kuralları", " Zarvo kuralları\n1. Her taş bir kare ileri"),
        "rules_part": " Türk daması kuralları\n",
    },
    "el_GR": {
        "menus": ["Παιχνίδι", "Επιλογές", "Προβολή", "Βοήθεια"],
        "game_menu": ["Νέο παιχνίδι", "Φόρτωση παιχνιδιού", "Αποθήκευση παιχνιδιού",
                      "Αναίρεση κίνησης", "Επανάληψη κίνησης", "Υπόδειξη", "Παίξε τώρα",
                      "Άνοιγμα καταγραφής...", "Αποθήκευση καταγραφής ως...",
                      "Αντιγραφή θέσης", "Επικόλληση θέσης", "Έξοδος"],
        "status": "Παίζετε εσείς...",
        "score": "Εσείς (κόκκινο): 16 Υπολογιστής (μπλε) : 16",
        "square": "c3, κόκκινο πούλι",
        "board": "Ταμπλό",
        "rules": ("Κανόνες", "Κανόνες του Zarvo", " Κανόνες του Zarvo\n1. Κάθε πούλι"),
        "rules_part": " Κανόνες της τουρκικής ντάμας\n",
    },
}


def environment(locale):
    """LANGUAGE and LC_ALL of a player of that language. The locale is compiled into a folder
    of the test's own, as the machine may have none but C; without its sources, the C locale in
    UTF-8 still lets LANGUAGE choose the catalogue."""
    language = locale.split("_")[0]
    folder = tempfile.mkdtemp(prefix="zarvo-locale-")
    name = locale + ".UTF-8"
    subprocess.run(["localedef", "-i", locale, "-f", "UTF-8", os.path.join(folder, name)],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    if os.path.isdir(os.path.join(folder, name)):
        return {"LANGUAGE": language, "LC_ALL": name, "LOCPATH": folder}
    return {"LANGUAGE": language, "LC_ALL": "C.UTF-8"}


def plays_in(locale):
    def test(game):
        check(game, LANGUAGES[locale])
    test.__name__ = "test_plays_in_" + locale
    test.extra_env = environment(locale)
    return test


def check(game, expected):
    titles = [game.find(i).get_name() for i in ("game_menu", "options_menu", "view_menu",
                                                  "help_menu")]
    assert titles == expected["menus"], titles
    game_menu = game.find("game_menu")
    game.click_node(game_menu)
    game.wait_for(lambda: harness.is_showing(game.find("new_game_item")), 5, "the Game menu")
    items = [game_menu.get_child_at_index(i) for i in range(game_menu.get_child_count())]
    names = [n.get_name() for n in items if n.get_role() == ROLE.MENU_ITEM]
    assert names == expected["game_menu"], names
    new_game = game.find("new_game_item")
    game.click_node(new_game)
    game.wait_for(lambda: not harness.is_showing(new_game), 5, "the menu to close")

    game.wait_text("status_label", expected["status"])
    assert game.text("score_label") == expected["score"], game.text("score_label")
    board = game.find("board")
    assert board.get_name() == expected["board"], board.get_name()
    squares = [board.get_child_at_index(i).get_name() for i in range(board.get_child_count())]
    assert expected["square"] in squares, squares[:16]

    item, title, start = expected["rules"]
    game.menu(expected["menus"][3], item)
    dialog = game.find("rules_dialog")
    assert dialog.get_name() == title, dialog.get_name()
    text = Atspi.Text.get_text(game.find("rules_text"), 0, -1)
    assert text.startswith(start) and expected["rules_part"] in text, text[:200]
    game.click_id("rules_ok")


harness.run(plays_in("tr_TR"), plays_in("el_GR"))
