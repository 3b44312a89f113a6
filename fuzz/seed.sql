-- A small database for the fuzz targets to start from: keys, an index on text, a relationship, long values.
CREATE TABLE Klant (Nr COUNTER CONSTRAINT pkKlant PRIMARY KEY, Naam TEXT(40) NOT NULL, Plaats TEXT(30), Sinds DATETIME)
;
CREATE INDEX idxPlaats ON Klant (Plaats)
;
CREATE TABLE Notitie (Id LONG PRIMARY KEY, Klant LONG REFERENCES Klant, Tekst MEMO, Bedrag CURRENCY, Klaar YESNO)
;
INSERT INTO Klant (Naam, Plaats, Sinds) VALUES ('Bakkerij De Korst', 'Utrecht', #2020-03-01#)
;
INSERT INTO Klant (Naam, Plaats) VALUES ('Visser en Zn.', Null)
;
INSERT INTO Notitie VALUES (1, 1, 'kort', 12.5, True)
;
INSERT INTO Notitie VALUES (2, 2, String(3000, 'x'), -1, False)
;
CREATE VIEW Klanten AS SELECT Naam, Plaats FROM Klant ORDER BY Naam
