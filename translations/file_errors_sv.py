"""Swedish for why a file could not be saved, which the game and the editor both say (the
shared Qt library's saveErrorText); both fill scripts take this table into their own."""

FILE_ERRORS_SV = {
    "cannot create a temporary file next to %1": "kan inte skapa en tillfällig fil bredvid %1",
    "cannot write %1": "kan inte skriva %1",
    "cannot write %1 to the disk": "kan inte skriva %1 till disken",
    "cannot close %1": "kan inte stänga %1",
    "cannot replace %1": "kan inte ersätta %1",
    "cannot open %1": "kan inte öppna %1",
    "cannot lock %1": "kan inte låsa %1",
    "the level cannot be written as a level file": "banan kan inte skrivas som en banfil",
    "the high scores cannot be written as a file": "topplistan kan inte skrivas som en fil",
    "another program is using %1 and did not let go of it within %n second(s)": (
        "ett annat program använder %1 och släppte den inte inom %n sekund",
        "ett annat program använder %1 och släppte den inte inom %n sekunder"),
    "permission denied": "åtkomst nekad",
    "the operation is not permitted": "åtgärden är inte tillåten",
    "the folder does not exist": "mappen finns inte",
    "a part of the path is not a folder": "en del av sökvägen är ingen mapp",
    "it is a folder": "det är en mapp",
    "the disk is full": "disken är full",
    "your disk quota is used up": "din diskkvot är slut",
    "the disk is read-only": "disken är skrivskyddad",
    "the disk could not be read or written": "disken kunde inte läsas eller skrivas",
    "the file name is too long": "filnamnet är för långt",
    "%1: %2": "%1: %2",
}
