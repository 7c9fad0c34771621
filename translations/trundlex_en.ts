<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en">
<context>
    <name>FeedbackTexts</name>
    <message numerus="yes">
        <source>%n under par!</source>
        <translation><numerusform>%n under par!</numerusform><numerusform>%n under par!</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>In the hole in %n stroke(s)</source>
        <translation><numerusform>In the hole in %n stroke</numerusform><numerusform>In the hole in %n strokes</numerusform></translation>
    </message>
</context>
<context>
    <name>SaveErrorTexts</name>
    <message numerus="yes">
        <source>another program is using %1 and did not let go of it within %n second(s)</source>
        <translation><numerusform>another program is using %1 and did not let go of it within %n second</numerusform><numerusform>another program is using %1 and did not let go of it within %n seconds</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::GameView</name>
    <message numerus="yes">
        <source>The faint ball putts your best round here: %1, %n stroke(s).</source>
        <translation><numerusform>The faint ball putts your best round here: %1, %n stroke.</numerusform><numerusform>The faint ball putts your best round here: %1, %n strokes.</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::LevelsPage</name>
    <message numerus="yes">
        <source>Levels are missing for this course: only %1 of its %n level(s) could be found. This game will not enter the high scores.</source>
        <translation><numerusform>Levels are missing for this course: only %1 of its %n level could be found. This game will not enter the high scores.</numerusform><numerusform>Levels are missing for this course: only %1 of its %n levels could be found. This game will not enter the high scores.</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::LobbyDialog</name>
    <message numerus="yes">
        <source>%n computer(s) connected</source>
        <translation><numerusform>%n computer connected</numerusform><numerusform>%n computers connected</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n player(s).</source>
        <translation><numerusform>%n player.</numerusform><numerusform>%n players.</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::MatchResultsDialog</name>
    <message numerus="yes">
        <source>Final standings after %n hole(s)</source>
        <translation><numerusform>Final standings after %n hole</numerusform><numerusform>Final standings after %n holes</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>Today's best on this computer: %1, %n stroke(s)</source>
        <translation><numerusform>Today's best on this computer: %1, %n stroke</numerusform><numerusform>Today's best on this computer: %1, %n strokes</numerusform></translation>
    </message>
</context>
<context>
    <name>trundlex::NewGameWizard</name>
    <message numerus="yes">
        <source>This computer's IP address(es): %1</source>
        <translation><numerusform>This computer's IP address: %1</numerusform><numerusform>This computer's IP addresses: %1</numerusform></translation>
    </message>
</context>
</TS>