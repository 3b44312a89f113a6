-- De voorbeelddatabase van Querimo: een kleine groothandel in kantoorartikelen.
-- querimo-sql --create voorbeeld.mdb --script voorbeeld.sql
-- Opdrachten worden gescheiden door een regel met alleen een puntkomma.

CREATE TABLE Klant (
    KlantNr COUNTER CONSTRAINT pkKlant PRIMARY KEY,
    Naam TEXT(60) NOT NULL,
    Contactpersoon TEXT(50),
    Adres TEXT(80),
    Postcode TEXT(7),
    Plaats TEXT(40),
    Telefoon TEXT(20),
    Email TEXT(80),
    KlantSinds DATETIME
)
;
CREATE INDEX idxKlantPlaats ON Klant (Plaats)
;
CREATE TABLE Artikel (
    ArtikelNr LONG CONSTRAINT pkArtikel PRIMARY KEY,
    Omschrijving TEXT(60) NOT NULL,
    Categorie TEXT(30),
    Prijs CURRENCY NOT NULL,
    Voorraad SHORT,
    Actief YESNO
)
;
CREATE TABLE Bestelling (
    BestelNr LONG CONSTRAINT pkBestelling PRIMARY KEY,
    KlantNr LONG NOT NULL CONSTRAINT fkBestellingKlant REFERENCES Klant (KlantNr),
    Besteldatum DATETIME NOT NULL,
    Verzonden YESNO,
    Opmerking TEXT(100)
)
;
CREATE TABLE Bestelregel (
    BestelNr LONG NOT NULL,
    Regel SHORT NOT NULL,
    ArtikelNr LONG NOT NULL,
    Aantal SHORT NOT NULL,
    Stukprijs CURRENCY NOT NULL,
    CONSTRAINT pkBestelregel PRIMARY KEY (BestelNr, Regel)
)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Bakkerij De Gouden Korst', 'Emma Visser', 'Parallelweg 31', '1012 XR', 'Amsterdam', '032-6747614', 'info@bakkerijdegoudenkorst.nl', #2017-12-10#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Jansen Installatietechniek', 'Jan Meijer', 'Wilhelminastraat 153', '3011 AX', 'Rotterdam', '078-4616800', 'info@janseninstallatietechniek.nl', #2017-02-08#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Café Het Hoekje', 'Sanne Meijer', 'Industrieweg 39', '3511 GB', 'Utrecht', '074-5254560', 'info@cafhethoekje.nl', #2022-02-10#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('De Vries Bouw', 'Emma Hendriks', 'Parallelweg 114', '2511 EL', 'Den Haag', '069-8625004', 'info@devriesbouw.nl', #2018-06-20#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Bloemenhuis Tulp', 'Sanne Visser', 'Wilhelminastraat 116', '5611 MV', 'Eindhoven', '070-7299462', 'info@bloemenhuistulp.nl', #2021-08-16#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Fietsenmaker Van Dijk', 'Jan Vos', 'Lindenlaan 88', '9711 PB', 'Groningen', '034-2254594', 'info@fietsenmakervandijk.nl', #2016-06-01#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Kapsalon Knip & Go', 'Iris Hendriks', 'Havenweg 137', '5038 HT', 'Tilburg', '042-4946333', 'info@kapsalonknipgo.nl', #2015-12-24#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Drukkerij Bakker', Null, 'Havenweg 142', '1315 WH', 'Almere', '032-3866911', 'info@drukkerijbakker.nl', #2022-05-15#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Restaurant De Smulpaap', 'Lotte de Vries', 'Marktplein 157', '4811 TJ', 'Breda', '037-1203003', 'info@restaurantdesmulpaap.nl', #2017-12-03#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Boekhandel Het Open Boek', 'Jan Meijer', 'Parallelweg 176', '6511 TP', 'Nijmegen', '026-5440363', 'info@boekhandelhetopenboek.nl', #2019-01-13#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Tuincentrum De Linde', 'Anna Bakker', 'Lindenlaan 25', '7311 WB', 'Apeldoorn', '038-6742676', 'info@tuincentrumdelinde.nl', #2017-12-21#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Schildersbedrijf Visser', 'Sanne Hendriks', 'Havenweg 121', '2011 GR', 'Haarlem', '013-5574190', 'info@schildersbedrijfvisser.nl', #2017-03-01#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Autobedrijf Smit', 'Sanne Meijer', 'Wilhelminastraat 55', '6811 MJ', 'Arnhem', '029-3851946', 'info@autobedrijfsmit.nl', #2016-06-13#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Slagerij Mulder', 'Lotte Jansen', 'Prinsengracht 172', '8011 HD', 'Zwolle', '030-3753835', 'info@slagerijmulder.nl', #2021-04-19#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Kinderopvang Het Speelhuis', Null, 'Schoolstraat 58', '2311 VS', 'Leiden', '022-1055672', 'info@kinderopvanghetspeelhuis.nl', #2016-04-22#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Architectenbureau De Boer', 'Mieke Bos', 'Wilhelminastraat 151', '6211 KT', 'Maastricht', '063-7405206', 'info@architectenbureaudeboer.nl', #2020-12-18#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Dierenkliniek Meijer', 'Iris Jansen', 'Schoolstraat 104', '3311 RZ', 'Dordrecht', '070-6460095', 'info@dierenkliniekmeijer.nl', #2023-05-27#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Loodgietersbedrijf De Graaf', Null, 'Marktplein 128', '3811 DH', 'Amersfoort', '010-6424951', 'info@loodgietersbedrijfdegraaf.nl', #2015-01-21#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Brouwerij Het Anker', 'Iris Bakker', 'Dorpsstraat 152', '2611 RJ', 'Delft', '033-8923154', 'info@brouwerijhetanker.nl', #2017-09-23#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Yogastudio Balans', 'Sanne Brouwer', 'Kerkstraat 157', '7411 WH', 'Deventer', '056-6800088', 'info@yogastudiobalans.nl', #2022-10-04#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Hotel Zeezicht', 'Pieter de Jong', 'Molenweg 65', '1012 CR', 'Amsterdam', '064-8278290', 'info@hotelzeezicht.nl', #2019-03-11#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Kaashandel Gouda Goud', 'Sanne Hendriks', 'Prinsengracht 77', '3011 KE', 'Rotterdam', '064-8445200', 'info@kaashandelgoudagoud.nl', #2020-09-19#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Schoenmakerij Hendriks', 'Lotte Peters', 'Industrieweg 77', '3511 EV', 'Utrecht', '074-5980449', 'info@schoenmakerijhendriks.nl', #2018-06-06#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('IJssalon Venetië', 'Daan de Vries', 'Eikenlaan 120', '2511 MX', 'Den Haag', '050-2219274', 'info@ijssalonvenetie.nl', #2022-04-06#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Praktijk Dekker Fysiotherapie', 'Fleur Visser', 'Havenweg 30', '5611 NA', 'Eindhoven', '032-7961626', 'info@praktijkdekkerfysiotherapie.nl', #2023-06-17#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Hoveniersbedrijf Groen', 'Daan van Dijk', 'Parallelweg 22', '9711 XS', 'Groningen', '041-5510314', 'info@hoveniersbedrijfgroen.nl', #2019-06-11#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Computerwinkel Bits & Bytes', 'Kees Janssen', 'Stationsweg 69', '5038 PC', 'Tilburg', '064-1525668', 'info@computerwinkelbitsbytes.nl', #2015-08-14#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Notariskantoor Van Leeuwen', 'Joost Dekker', 'Stationsweg 55', '1315 NC', 'Almere', '040-2168860', 'info@notariskantoorvanleeuwen.nl', #2022-09-20#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Wasserette Fris', 'Emma Brouwer', 'Havenweg 54', '4811 TR', 'Breda', '049-7952152', 'info@wasserettefris.nl', #2017-05-03#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Zeilschool De Wind', 'Kees Jansen', 'Lindenlaan 174', '6511 SM', 'Nijmegen', '078-1637477', 'info@zeilschooldewind.nl', #2019-01-03#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Apotheek Bosch', 'Joost Jansen', 'Parallelweg 107', '7311 PC', 'Apeldoorn', '027-9270316', 'info@apotheekbosch.nl', #2021-01-19#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Stichting Buurthuis De Brug', 'Pieter Mulder', 'Lindenlaan 143', '2011 DC', 'Haarlem', '072-7934145', 'info@stichtingbuurthuisdebrug.nl', #2018-12-08#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Muziekschool Do-Re-Mi', 'Joost Hendriks', 'Marktplein 20', '6811 DJ', 'Arnhem', '021-3581137', 'info@muziekschooldoremi.nl', #2015-12-27#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Koffiebranderij Bonen', Null, 'Julianastraat 142', '8011 TA', 'Zwolle', '049-2630502', 'info@koffiebranderijbonen.nl', #2015-12-27#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Fotostudio Flits', 'Thijs Bakker', 'Eikenlaan 71', '2311 KX', 'Leiden', '056-1184082', 'info@fotostudioflits.nl', #2021-07-27#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Timmerbedrijf Kok', 'Daan van Dijk', 'Stationsweg 86', '6211 SB', 'Maastricht', '026-1733648', 'info@timmerbedrijfkok.nl', #2021-09-22#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Garage Peters', 'Mieke Janssen', 'Parallelweg 69', '3311 LT', 'Dordrecht', '069-1446926', 'info@garagepeters.nl', #2018-02-03#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Vishandel De Haring', 'Sanne Visser', 'Eikenlaan 124', '3811 GM', 'Amersfoort', '063-8547453', 'info@vishandeldeharing.nl', #2016-08-11#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Reisbureau Verre Verten', 'Iris van Dijk', 'Molenweg 10', '2611 LA', 'Delft', '010-6311003', 'info@reisbureauverreverten.nl', #2021-08-04#)
;
INSERT INTO Klant (Naam, Contactpersoon, Adres, Postcode, Plaats, Telefoon, Email, KlantSinds)
VALUES ('Bakker & Zonen Transport', 'Daan Vos', 'Beatrixlaan 145', '7411 DS', 'Deventer', '025-7227693', 'info@bakkerzonentransport.nl', #2016-08-08#)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1001, 'Kantoorpapier A4, 500 vel', 'Papier', 5.49, 177, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1002, 'Printpapier A3, 250 vel', 'Papier', 8.95, 15, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1003, 'Notitieblok gelinieerd', 'Papier', 2.25, 369, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1004, 'Enveloppen C5, 50 stuks', 'Papier', 4.75, 380, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1005, 'Balpen blauw', 'Schrijfwaren', 0.89, 180, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1006, 'Balpen zwart', 'Schrijfwaren', 0.89, 179, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1007, 'Vulpen staal', 'Schrijfwaren', 24.50, 302, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1008, 'Markeerstift geel', 'Schrijfwaren', 1.15, 19, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1009, 'Potlood HB, 12 stuks', 'Schrijfwaren', 3.60, 394, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1010, 'Gum', 'Schrijfwaren', 0.65, 140, False)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1011, 'Nietmachine', 'Kantoorartikelen', 12.95, 204, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1012, 'Nietjes 24/6, 1000 stuks', 'Kantoorartikelen', 1.99, 263, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1013, 'Perforator 2-gaats', 'Kantoorartikelen', 9.75, 392, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1014, 'Ordner A4, 80 mm', 'Archief', 3.49, 94, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1015, 'Hangmappen, 25 stuks', 'Archief', 14.25, 133, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1016, 'Archiefdoos', 'Archief', 2.10, 60, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1017, 'Bureaulamp LED', 'Inrichting', 39.95, 359, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1018, 'Bureaustoel ergonomisch', 'Inrichting', 249.00, 132, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1019, 'Whiteboard 90x60', 'Inrichting', 54.50, 264, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1020, 'Prikbord kurk', 'Inrichting', 19.95, 132, False)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1021, 'Koffiebonen 1 kg', 'Kantine', 16.80, 128, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1022, 'Thee, 100 zakjes', 'Kantine', 6.45, 43, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1023, 'Koffiebekers, 50 stuks', 'Kantine', 3.95, 138, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1024, 'Suikerzakjes, 500 stuks', 'Kantine', 8.25, 205, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1025, 'USB-stick 64 GB', 'Computer', 11.99, 90, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1026, 'Draadloze muis', 'Computer', 19.50, 45, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1027, 'Toetsenbord', 'Computer', 29.95, 305, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1028, 'Inktpatroon zwart', 'Computer', 27.80, 12, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1029, 'Tonercassette', 'Computer', 89.00, 96, True)
;
INSERT INTO Artikel (ArtikelNr, Omschrijving, Categorie, Prijs, Voorraad, Actief)
VALUES (1030, 'Laptoptas', 'Computer', 34.95, 56, True)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24001, 32, #2024-01-18#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24001, 1, 1021, 25, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24001, 2, 1019, 1, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24002, 11, #2024-01-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24002, 1, 1016, 2, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24002, 2, 1004, 20, 4.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24002, 3, 1020, 12, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24002, 4, 1006, 12, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24003, 18, #2024-01-15#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24003, 1, 1009, 6, 3.60)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24003, 2, 1023, 25, 3.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24004, 10, #2024-01-19#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24004, 1, 1011, 3, 12.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24004, 2, 1009, 20, 3.60)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24005, 32, #2024-01-28#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24005, 1, 1023, 6, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24005, 2, 1022, 25, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24006, 17, #2024-01-06#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24006, 1, 1030, 2, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24006, 2, 1011, 6, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24007, 26, #2024-01-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24007, 1, 1017, 2, 39.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24008, 34, #2024-01-17#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24008, 1, 1018, 5, 249.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24008, 2, 1005, 6, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24008, 3, 1023, 1, 3.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24009, 36, #2024-01-24#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24009, 1, 1005, 6, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24009, 2, 1030, 4, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24009, 3, 1017, 5, 39.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24010, 13, #2024-01-27#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24010, 1, 1010, 12, 0.65)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24010, 2, 1006, 20, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24011, 20, #2024-02-03#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24011, 1, 1028, 6, 27.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24012, 36, #2024-02-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24012, 1, 1019, 10, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24012, 2, 1025, 2, 11.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24013, 33, #2024-02-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24013, 1, 1023, 1, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24013, 2, 1027, 12, 29.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24013, 3, 1019, 4, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24014, 15, #2024-02-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24014, 1, 1022, 25, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24014, 2, 1017, 1, 39.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24015, 15, #2024-02-10#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24015, 1, 1015, 3, 14.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24016, 2, #2024-02-19#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24016, 1, 1009, 2, 3.60)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24016, 2, 1027, 12, 29.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24016, 3, 1022, 20, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24016, 4, 1012, 1, 1.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24017, 4, #2024-02-11#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24017, 1, 1005, 12, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24018, 33, #2024-02-26#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24018, 1, 1015, 1, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24018, 2, 1013, 12, 9.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24018, 3, 1021, 25, 16.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24019, 21, #2024-02-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24019, 1, 1002, 5, 8.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24019, 2, 1024, 5, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24019, 3, 1022, 1, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24019, 4, 1030, 1, 34.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24020, 15, #2024-02-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24020, 1, 1030, 1, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24020, 2, 1018, 2, 249.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24021, 13, #2024-03-11#, True, 'Spoed!')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24021, 1, 1003, 2, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24021, 2, 1001, 20, 5.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24022, 31, #2024-03-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24022, 1, 1022, 1, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24023, 14, #2024-03-12#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24023, 1, 1016, 20, 2.10)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24024, 37, #2024-03-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24024, 1, 1008, 25, 1.15)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24024, 2, 1017, 1, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24024, 3, 1003, 20, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24024, 4, 1013, 1, 9.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24025, 40, #2024-03-24#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24025, 1, 1004, 2, 4.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24026, 23, #2024-03-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24026, 1, 1017, 12, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24026, 2, 1010, 4, 0.65)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24027, 12, #2024-03-06#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24027, 1, 1007, 2, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24028, 2, #2024-03-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24028, 1, 1016, 10, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24028, 2, 1010, 20, 0.65)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24028, 3, 1024, 5, 8.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24029, 6, #2024-03-26#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24029, 1, 1023, 20, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24029, 2, 1010, 10, 0.65)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24029, 3, 1019, 12, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24029, 4, 1014, 2, 3.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24030, 31, #2024-03-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24030, 1, 1013, 2, 9.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24031, 19, #2024-04-16#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24031, 1, 1003, 3, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24031, 2, 1010, 20, 0.65)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24032, 13, #2024-04-14#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24032, 1, 1029, 25, 89.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24033, 17, #2024-04-10#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24033, 1, 1024, 4, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24033, 2, 1016, 10, 2.10)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24034, 40, #2024-04-05#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24034, 1, 1020, 5, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24034, 2, 1002, 3, 8.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24034, 3, 1012, 10, 1.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24034, 4, 1007, 3, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24035, 17, #2024-04-12#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24035, 1, 1016, 10, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24035, 2, 1027, 5, 29.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24036, 19, #2024-04-01#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24036, 1, 1017, 3, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24036, 2, 1019, 2, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24036, 3, 1024, 1, 8.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24037, 17, #2024-04-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24037, 1, 1015, 3, 14.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24038, 10, #2024-04-27#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24038, 1, 1014, 3, 3.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24039, 14, #2024-04-17#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24039, 1, 1029, 2, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24039, 2, 1020, 6, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24039, 3, 1005, 5, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24040, 40, #2024-04-12#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24040, 1, 1025, 2, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24040, 2, 1015, 1, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24040, 3, 1003, 5, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24040, 4, 1024, 2, 8.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24041, 15, #2024-05-08#, True, 'Factuur per e-mail')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24041, 1, 1019, 3, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24042, 4, #2024-05-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24042, 1, 1020, 6, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24042, 2, 1015, 10, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24042, 3, 1029, 2, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24042, 4, 1010, 20, 0.65)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24043, 12, #2024-05-02#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24043, 1, 1020, 20, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24043, 2, 1028, 4, 27.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24044, 28, #2024-05-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24044, 1, 1014, 3, 3.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24045, 19, #2024-05-19#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24045, 1, 1015, 20, 14.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24046, 37, #2024-05-14#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24046, 1, 1003, 10, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24046, 2, 1012, 10, 1.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24047, 23, #2024-05-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24047, 1, 1021, 1, 16.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24048, 28, #2024-05-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24048, 1, 1013, 12, 9.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24048, 2, 1024, 25, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24048, 3, 1005, 2, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24048, 4, 1022, 1, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24049, 7, #2024-05-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24049, 1, 1022, 12, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24049, 2, 1005, 12, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24050, 35, #2024-05-02#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24050, 1, 1026, 5, 19.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24051, 3, #2024-06-04#, True, 'Factuur per e-mail')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24051, 1, 1019, 6, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24051, 2, 1016, 12, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24051, 3, 1004, 20, 4.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24052, 27, #2024-06-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24052, 1, 1022, 5, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24052, 2, 1025, 25, 11.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24053, 40, #2024-06-24#, True, 'Graag voor 12 uur leveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24053, 1, 1006, 25, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24054, 40, #2024-06-02#, True, 'Levering bij de buren toegestaan')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24054, 1, 1016, 20, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24054, 2, 1003, 1, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24054, 3, 1018, 1, 249.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24054, 4, 1002, 2, 8.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24055, 24, #2024-06-18#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24055, 1, 1022, 12, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24055, 2, 1024, 3, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24055, 3, 1003, 2, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24056, 19, #2024-06-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24056, 1, 1008, 5, 1.15)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24056, 2, 1021, 20, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24056, 3, 1030, 2, 34.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24057, 21, #2024-06-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24057, 1, 1019, 1, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24058, 28, #2024-06-15#, True, 'Graag voor 12 uur leveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24058, 1, 1023, 12, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24058, 2, 1003, 25, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24058, 3, 1027, 2, 29.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24059, 15, #2024-06-16#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24059, 1, 1003, 1, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24059, 2, 1017, 25, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24059, 3, 1011, 6, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24060, 19, #2024-06-12#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24060, 1, 1015, 2, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24060, 2, 1025, 6, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24060, 3, 1010, 1, 0.65)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24060, 4, 1014, 1, 3.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24061, 17, #2024-07-04#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24061, 1, 1019, 3, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24061, 2, 1002, 20, 8.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24061, 3, 1030, 4, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24061, 4, 1025, 20, 11.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24062, 29, #2024-07-05#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24062, 1, 1024, 5, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24062, 2, 1023, 2, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24062, 3, 1002, 2, 8.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24062, 4, 1028, 1, 27.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24063, 4, #2024-07-11#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24063, 1, 1025, 4, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24063, 2, 1020, 6, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24063, 3, 1029, 25, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24063, 4, 1004, 12, 4.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24064, 15, #2024-07-13#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24064, 1, 1004, 2, 4.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24064, 2, 1003, 3, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24065, 1, #2024-07-07#, True, 'Levering bij de buren toegestaan')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24065, 1, 1017, 1, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24065, 2, 1001, 1, 5.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24065, 3, 1021, 1, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24065, 4, 1007, 2, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24066, 29, #2024-07-16#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24066, 1, 1008, 2, 1.15)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24067, 40, #2024-07-10#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24067, 1, 1001, 4, 5.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24068, 31, #2024-07-03#, True, 'Achterom afleveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24068, 1, 1011, 6, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24069, 6, #2024-07-15#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24069, 1, 1020, 4, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24069, 2, 1010, 25, 0.65)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24070, 22, #2024-07-16#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24070, 1, 1026, 4, 19.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24070, 2, 1011, 1, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24071, 4, #2024-08-17#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24071, 1, 1023, 10, 3.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24071, 2, 1003, 10, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24071, 3, 1022, 1, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24072, 26, #2024-08-19#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24072, 1, 1015, 20, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24072, 2, 1020, 10, 19.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24073, 37, #2024-08-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24073, 1, 1017, 4, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24073, 2, 1019, 3, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24074, 3, #2024-08-26#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24074, 1, 1021, 3, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24074, 2, 1025, 20, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24074, 3, 1003, 2, 2.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24074, 4, 1007, 1, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24075, 12, #2024-08-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24075, 1, 1030, 25, 34.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24076, 16, #2024-08-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24076, 1, 1022, 25, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24076, 2, 1012, 20, 1.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24077, 36, #2024-08-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24077, 1, 1007, 25, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24078, 24, #2024-08-05#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24078, 1, 1009, 10, 3.60)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24079, 23, #2024-08-14#, True, 'Graag voor 12 uur leveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24079, 1, 1012, 1, 1.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24079, 2, 1027, 1, 29.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24079, 3, 1026, 6, 19.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24079, 4, 1011, 12, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24080, 19, #2024-08-16#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24080, 1, 1020, 1, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24080, 2, 1019, 1, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24080, 3, 1018, 20, 249.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24080, 4, 1022, 1, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24081, 34, #2024-09-20#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24081, 1, 1014, 1, 3.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24081, 2, 1008, 1, 1.15)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24081, 3, 1001, 25, 5.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24081, 4, 1030, 25, 34.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24082, 30, #2024-09-07#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24082, 1, 1005, 1, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24082, 2, 1021, 25, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24082, 3, 1001, 1, 5.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24083, 9, #2024-09-14#, True, 'Achterom afleveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24083, 1, 1014, 6, 3.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24083, 2, 1018, 20, 249.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24083, 3, 1029, 6, 89.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24084, 30, #2024-09-12#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24084, 1, 1007, 10, 24.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24084, 2, 1016, 12, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24084, 3, 1005, 10, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24084, 4, 1013, 20, 9.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24085, 22, #2024-09-25#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24085, 1, 1020, 1, 19.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24086, 18, #2024-09-25#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24086, 1, 1012, 2, 1.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24087, 9, #2024-09-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24087, 1, 1025, 20, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24087, 2, 1020, 2, 19.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24088, 32, #2024-09-09#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24088, 1, 1016, 6, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24088, 2, 1011, 25, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24089, 25, #2024-09-16#, True, 'Graag voor 12 uur leveren')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24089, 1, 1022, 10, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24089, 2, 1024, 1, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24089, 3, 1002, 6, 8.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24089, 4, 1007, 2, 24.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24090, 16, #2024-09-08#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24090, 1, 1028, 4, 27.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24090, 2, 1004, 1, 4.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24090, 3, 1027, 2, 29.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24091, 22, #2024-10-14#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24091, 1, 1019, 2, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24091, 2, 1027, 25, 29.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24091, 3, 1020, 2, 19.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24091, 4, 1030, 6, 34.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24092, 19, #2024-10-21#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24092, 1, 1003, 4, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24093, 40, #2024-10-21#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24093, 1, 1029, 10, 89.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24094, 22, #2024-10-06#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24094, 1, 1029, 2, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24094, 2, 1022, 20, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24094, 3, 1010, 1, 0.65)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24095, 20, #2024-10-18#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24095, 1, 1005, 2, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24095, 2, 1030, 2, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24095, 3, 1001, 6, 5.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24096, 9, #2024-10-15#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24096, 1, 1029, 10, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24096, 2, 1005, 6, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24096, 3, 1006, 5, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24097, 9, #2024-10-27#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24097, 1, 1002, 1, 8.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24098, 16, #2024-10-11#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24098, 1, 1016, 2, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24098, 2, 1021, 2, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24098, 3, 1018, 1, 249.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24099, 8, #2024-10-17#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24099, 1, 1001, 2, 5.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24099, 2, 1011, 1, 12.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24099, 3, 1006, 1, 0.89)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24100, 7, #2024-10-23#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24100, 1, 1025, 2, 11.99)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24101, 31, #2024-11-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24101, 1, 1011, 3, 12.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24101, 2, 1016, 20, 2.10)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24101, 3, 1013, 2, 9.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24101, 4, 1003, 20, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24102, 1, #2024-11-27#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24102, 1, 1021, 6, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24102, 2, 1017, 2, 39.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24102, 3, 1024, 6, 8.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24103, 20, #2024-11-02#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24103, 1, 1021, 2, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24103, 2, 1014, 10, 3.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24103, 3, 1029, 10, 89.00)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24104, 22, #2024-11-25#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24104, 1, 1021, 25, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24104, 2, 1019, 2, 54.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24104, 3, 1022, 6, 6.45)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24104, 4, 1011, 1, 12.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24105, 8, #2024-11-21#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24105, 1, 1008, 10, 1.15)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24105, 2, 1020, 2, 19.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24106, 16, #2024-11-22#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24106, 1, 1026, 3, 19.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24106, 2, 1023, 2, 3.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24107, 21, #2024-11-25#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24107, 1, 1013, 1, 9.75)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24107, 2, 1014, 10, 3.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24108, 29, #2024-11-03#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24108, 1, 1001, 20, 5.49)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24108, 2, 1029, 25, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24108, 3, 1013, 5, 9.75)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24109, 7, #2024-11-05#, True, 'Spoed!')
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24109, 1, 1027, 1, 29.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24110, 14, #2024-11-27#, True, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24110, 1, 1015, 25, 14.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24110, 2, 1006, 3, 0.89)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24110, 3, 1030, 12, 34.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24110, 4, 1022, 25, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24111, 30, #2024-12-03#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24111, 1, 1028, 6, 27.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24111, 2, 1008, 1, 1.15)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24112, 2, #2024-12-06#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24112, 1, 1019, 10, 54.50)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24113, 7, #2024-12-03#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24113, 1, 1003, 1, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24114, 33, #2024-12-09#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24114, 1, 1028, 20, 27.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24114, 2, 1009, 1, 3.60)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24114, 3, 1001, 1, 5.49)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24115, 12, #2024-12-04#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24115, 1, 1028, 6, 27.80)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24116, 8, #2024-12-01#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24116, 1, 1029, 3, 89.00)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24116, 2, 1009, 12, 3.60)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24116, 3, 1007, 20, 24.50)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24116, 4, 1003, 4, 2.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24117, 18, #2024-12-25#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24117, 1, 1008, 6, 1.15)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24117, 2, 1021, 12, 16.80)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24117, 3, 1022, 5, 6.45)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24118, 36, #2024-12-02#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24118, 1, 1027, 1, 29.95)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24118, 2, 1025, 3, 11.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24118, 3, 1017, 3, 39.95)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24119, 2, #2024-12-12#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24119, 1, 1024, 25, 8.25)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24119, 2, 1012, 1, 1.99)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24119, 3, 1015, 4, 14.25)
;
INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum, Verzonden, Opmerking)
VALUES (24120, 19, #2024-12-19#, False, Null)
;
INSERT INTO Bestelregel (BestelNr, Regel, ArtikelNr, Aantal, Stukprijs) VALUES (24120, 1, 1022, 5, 6.45)
;
CREATE VIEW [Omzet per klant] AS
SELECT Klant.KlantNr, Klant.Naam, Klant.Plaats, Count(Bestelregel.Regel) AS Regels,
       Sum(Bestelregel.Aantal * Bestelregel.Stukprijs) AS Omzet
FROM (Klant INNER JOIN Bestelling ON Klant.KlantNr = Bestelling.KlantNr)
     INNER JOIN Bestelregel ON Bestelling.BestelNr = Bestelregel.BestelNr
GROUP BY Klant.KlantNr, Klant.Naam, Klant.Plaats
;
CREATE VIEW [Bestellingen in periode] AS
SELECT Bestelling.BestelNr, Bestelling.Besteldatum, Klant.Naam, Bestelling.Verzonden
FROM Klant INNER JOIN Bestelling ON Klant.KlantNr = Bestelling.KlantNr
WHERE Bestelling.Besteldatum BETWEEN [Vanaf datum] AND [Tot en met datum]
ORDER BY Bestelling.Besteldatum
;
