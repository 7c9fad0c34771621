#!/usr/bin/env python3
"""Fills the Swedish translation file from the table below; run after lupdate.

Usage: translations/fill_sv.py translations/trundlex_sv.ts
Prints the source texts that have no translation yet and exits 1 when there are any.
"""
import sys
import xml.etree.ElementTree as ET

SV = {
    "About Trundlex": "Om Trundlex",
    "Minigolf for one or more players, on one computer or over the network. Made by the Trundlex team at Brackwater Works.":
        "Minigolf för en eller flera spelare, på en dator eller över nätverket. Gjort av Trundlex-gänget på Brackwater Works.",
    "Brackwater Works on the web": "Brackwater Works på webben",
    "Write to us": "Skriv till oss",
    "Read the manual": "Läs handboken",
    "&New game...": "&Nytt spel...",
    "&Restart": "&Börja om",
    "&Copy scores": "&Kopiera resultat",
    "&High scores...": "&Topplista...",
    "&Replay...": "&Repris...",
    "&Levels...": "&Banor...",
    "&Manual": "&Handbok",
    "&Sound": "&Ljud",
    "&Lock speed": "&Lås hastigheten",
    "&Decrease speed": "&Sänk hastigheten",
    "&Increase speed": "&Öka hastigheten",
    "Show the &next resting place": "Visa &nästa viloläge",
    "&Fast forward": "S&nabbspola",
    "Stop ball": "Stoppa bollen",
    "Half speed": "Halv hastighet",
    "Normal speed": "Normal hastighet",
    "Double speed": "Dubbel hastighet",
    "Triple speed": "Tredubbel hastighet",
    "Four times normal speed": "Fyra gånger normal hastighet",
    "Move the ball as fast as possible": "Flytta bollen så fort som möjligt",
    "Move ball to next position": "Flytta bollen till nästa läge",
    "Network games are not available in this version. Choose \"Lokalt spel\" on the Network page to play on this computer.":
        "Nätverksspel finns inte i den här versionen. Välj \"Lokalt spel\" på sidan Nätverk för att spela på den här datorn.",
    "Do you really want to restart?": "Vill du verkligen börja om?",
    "A level of this game could not be found. The game ends here.":
        "En bana i det här spelet kunde inte hittas. Spelet slutar här.",
    "Hole %1 of %2: %3": "Hål %1 av %2: %3",
    "Congratulations %1 you won!": "Grattis %1, du vann!",
    "Replay: %1, hole %2, stroke %3": "Repris: %1, hål %2, slag %3",
    "Highscore": "Topplista",
    "C&ourse:": "&Bana:",
    "C&ourse": "&Bana",
    "&Clear...": "&Töm...",
    "Name": "Namn",
    "Score": "Resultat",
    "Date": "Datum",
    "Unknown course": "Okänd bana",
    "Do you really want to clear to list for this course?": "Vill du verkligen tömma listan för den här banan?",
    "The specified file was not found.": "Filen kunde inte hittas.",
    "There is no application associated\nwith the given filename extension.":
        "Det finns inget program kopplat\ntill filnamnstillägget.",
    "Can't open link:\n\n": "Kan inte öppna länken:\n\n",
    "Creator": "Skapare",
    "&Add >>": "&Lägg till >>",
    "&Up": "&Upp",
    "&Down": "&Ner",
    "D&elete": "&Ta bort",
    "&Delete": "&Ta bort",
    "&Save course...": "&Spara bana...",
    "&Load": "&Ladda",
    "&Go": "&Kör",
    "Total number of levels: %1": "Totalt antal banor: %1",
    "Preview": "Förhandsvisning",
    "&Pick course:": "&Välj bana:",
    "&Random course:": "&Slumpbana:",
    "No. of holes: %1": "Antal hål: %1",
    "(missing level)": "(bana saknas)",
    "Levels are missing for this course. Only %1 levels of %2 expected levels could be found. High score will not be available.":
        "Banor saknas för den här banserien. Bara %1 av %2 banor kunde hittas. Topplistan gäller inte för det här spelet.",
    "Levels": "Banor",
    "Nr": "Nr",
    "Press F2 to start a new game.": "Tryck F2 för att starta ett nytt spel.",
    "&File": "&Arkiv",
    "E&xit": "A&vsluta",
    "&Edit": "&Redigera",
    "&Speed": "&Hastighet",
    "Tool bar": "Verktygsfält",
    "&View": "&Visa",
    "&Tool bar": "&Verktygsfält",
    "&Status bar": "&Statusfält",
    "&Full screen": "&Helskärm",
    "&Help": "&Hjälp",
    "&About Trundlex...": "&Om Trundlex...",
    "New game": "Nytt spel",
    "Players": "Spelare",
    "Network": "Nätverk",
    "&Mode:": "&Läge:",
    "&Address:": "&Adress:",
    "&Port:": "&Port:",
    "All players plays on this computer.": "Alla spelare spelar på den här datorn.",
    "Network game. You select the levels and which players that will play on this computer.":
        "Nätverksspel. Du väljer banorna och vilka spelare som ska spela på den här datorn.",
    "Network game. You select the players that will play on this computer and then connecting to a server.":
        "Nätverksspel. Du väljer vilka spelare som ska spela på den här datorn och ansluter sedan till en server.",
    "This computer has IP-address: \n%1": "Den här datorn har IP-adress: \n%1",
    "&Transparent": "&Genomskinlig",
    "&Name:": "&Namn:",
    "&R:": "&R:",
    "&G:": "&G:",
    "&B:": "&B:",
    "T:": "T:",
    "Player": "Spelare",
    "Replay": "Repris",
    "Putt": "Putt",
    "Save course": "Spara bana",
    "&Create new course": "&Skapa ny bana",
    "&Update an existing course": "&Uppdatera en befintlig bana",
    "&...": "&...",
    "&Filename:": "&Filnamn:",
    "Course file (*.cou);;All files (*)": "Banfil (*.cou);;Alla filer (*)",
    "Couldn't save file: %1": "Kunde inte spara filen: %1",
    "Sum": "Summa",
    "Reading files, please wait...": "Läser filer, vänta....",
    "Write your message here...": "Skriv ditt meddelande här...",
    "Your name": "Ditt namn",
    "&Send": "&Skicka",
    "A name cannot contain \"|\".": "Ett namn kan inte innehålla \"|\".",
    "The name is too long.": "Namnet är för långt.",
    "The text contains a character that cannot be sent.": "Texten innehåller ett tecken som inte kan skickas.",
    "Chat": "Chatt",
    "-------------------------------- New game --------------------------------":
        "-------------------------------- Nytt spel --------------------------------",
    "&Disconnect": "&Koppla ner",
    "Do you really want to disconnect?": "Vill du verkligen koppla ner?",
    "Network game": "Nätverksspel",
    "Waiting for connection...": "Väntar på anslutning...",
    "Computer": "Dator",
    "Status": "Status",
    "&Start game": "&Starta spelet",
    "Connecting to %1...": "Ansluter till %1...",
    "Can't start server.": "Kan inte starta servern.",
    "Couldn't connect.": "Kunde inte ansluta.",
    "Connection open!": "Anslutningen är öppen!",
    "Transfer levels... (%1)": "Överför banor... (%1)",
    "Waiting for start message.": "Väntar på startmeddelande.",
    "%1 disconnected.": "%1 kopplade ner.",
    "Connection to server was interrupted.": "Anslutningen till servern bröts.",
    "Illegal server version (server: %1, this version: %2).":
        "Fel serverversion (servern: %1, den här versionen: %2).",
    "%1 computers connected, %2 players.": "%1 datorer anslutna, %2 spelare.",
    "This computer": "Den här datorn",
    "Ready": "Klar",
    "Initializing game...": "Förbereder spelet...",
    "Transfer level \"%1\"...": "Överför banan \"%1\"...",
    "OK": "OK",
    "Cancel": "Avbryt",
    "Close": "Stäng",
    "&Yes": "&Ja",
    "&No": "&Nej",
    "Save": "Spara",
    "Open": "Öppna",
    "Help": "Hjälp",
}


def main(path):
    tree = ET.parse(path)
    missing = []
    for message in tree.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        text = SV.get(source)
        if text is None:
            missing.append(source)
            continue
        translation.text = text
        translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    for source in missing:
        print("untranslated:", repr(source))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
