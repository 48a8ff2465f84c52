<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en_GB">
<context>
    <name>club_ui::ClubWindow</name>
    <message numerus="yes">
        <source>Import %n row(s)</source>
        <translation>
            <numerusform>Import %n row</numerusform>
            <numerusform>Import %n rows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>club_ui::ImportPreviewDialog</name>
    <message numerus="yes">
        <source>%n row(s) to add.</source>
        <translation>
            <numerusform>%n row to add.</numerusform>
            <numerusform>%n rows to add.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n position(s) to change.</source>
        <translation>
            <numerusform>%n position to change.</numerusform>
            <numerusform>%n positions to change.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) already in the club.</source>
        <translation>
            <numerusform>%n row already in the club.</numerusform>
            <numerusform>%n rows already in the club.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bad row(s), not taken.</source>
        <translation>
            <numerusform>%n bad row, not taken.</numerusform>
            <numerusform>%n bad rows, not taken.</numerusform>
        </translation>
    </message>
</context>
</TS>
