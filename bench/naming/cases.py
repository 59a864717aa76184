# SPDX-License-Identifier: GPL-3.0-or-later
"""The naming benchmark's folder, one row per file: the old name, the tags
the file carries, the name a careful person would give it and a short note.

The careful name is what a careful person makes of the file alone (its tags
and its name, no outside knowledge), written `Artist - Title.mp3`:
- a tag value written in mixed case is kept as written (`The xx`,
  `t.A.T.u.`, `Love the Way You Lie`, `ABBA`, `CHVRCHES`); a value all in
  capitals or all in small letters, and a file name, get English title case
  (small articles, conjunctions and short prepositions inside, `Back in
  Black`), with initials, acronyms, Roman numerals, Mc and O' names and
  letters after digits as the name has them (`R.E.M.`, `UB40`, `II`,
  `McCartney`, `O'Riley`, `2Pac`, `10cc`); titles in other languages keep
  their own capitals;
- where a tag and the name disagree, the tag wins, unless the tag is plainly
  worse: mojibake, an ID3v1 value cut at 30 characters, the album's name as
  the title of every track, an uploader's channel as the artist;
- "/" becomes "-"; track numbers, bitrates, sites, "[Official Video]",
  remaster notes, "(copy)", a year in brackets and the extension are not
  part of a name; versions such as "(Radio Edit)" or "(Unplugged)" are;
- with no artist known the name is the title alone; with no title known the
  file keeps its old name;
- of two copies of one song, the one already under the careful name keeps
  it (else the first in the listing), and the other gets " (2)".
"""

from dataclasses import dataclass
from typing import Optional

from mp3bytes import LATIN1, UTF16, UTF16BE, UTF8, Id3v1, Id3v2


@dataclass
class Case:
    old: str
    careful: str
    note: str
    v2: Optional[Id3v2] = None
    v1: Optional[Id3v1] = None
    audio: Optional[str] = None  # cases with the same key hold the same audio


def untagged(old, careful, note, audio=None):
    return Case(old, careful, note, audio=audio)


def tagged(old, careful, note, v2=None, v1=None, audio=None):
    return Case(old, careful, note, v2, v1, audio)


def v22(encoding=LATIN1, **values):
    return Id3v2(2, encoding, **values)


def v23(encoding=LATIN1, **values):
    return Id3v2(3, encoding, **values)


def v24(encoding=UTF8, **values):
    return Id3v2(4, encoding, **values)


def cp1251(text):
    """Cyrillic text in the Windows code page, as old Russian taggers wrote it
    into ISO-8859-1 fields; read as Latin-1 it is mojibake."""
    return text.encode("cp1251")


MBID = {"MusicBrainz Album Id": "5b11f4ce-a62d-471e-81fc-a69a8278c7da"}
GAIN = {"replaygain_track_gain": "-7.32 dB", "replaygain_track_peak": "0.988525"}

CASES = [
    # --- untagged: everything a careful person knows is in the name --------------
    untagged("03 - the beatles - help!.mp3", "The Beatles - Help!.mp3", "track prefix '03 -', all small letters"),
    untagged("Pink_Floyd_-_Money_(1973).mp3", "Pink Floyd - Money.mp3", "underscores, year in brackets"),
    untagged("Radiohead - Karma Police [320kbps] (www.mp3-zone.com).mp3", "Radiohead - Karma Police.mp3",
             "bitrate and site"),
    untagged("50 Cent - In Da Club.mp3", "50 Cent - In Da Club.mp3", "number in the artist, already careful"),
    untagged("AC_DC_-_Back_In_Black.mp3", "AC-DC - Back in Black.mp3", "underscores, AC/DC, every word capital"),
    untagged("04-queen-bohemian_rhapsody.mp3", "Queen - Bohemian Rhapsody.mp3",
             "chain: its careful name is another file's current name"),
    untagged("2Pac - California Love.mp3", "2Pac - California Love.mp3", "letter after digit, already careful"),
    untagged("12 Wolfgang Amadeus Mozart - Eine kleine Nachtmusik, K. 525.mp3",
             "Wolfgang Amadeus Mozart - Eine kleine Nachtmusik, K. 525.mp3", "track prefix '12 ', K. 525"),
    untagged("05. Ludwig van Beethoven - Symphony No. 9.mp3", "Ludwig van Beethoven - Symphony No. 9.mp3",
             "track prefix '05.', Symphony No. 9"),
    untagged("(07) Simon & Garfunkel - Mrs. Robinson.mp3", "Simon & Garfunkel - Mrs. Robinson.mp3",
             "track prefix '(07)', Mrs."),
    untagged("t-pain - buy u a drank.mp3", "T-Pain - Buy U a Drank.mp3", "hyphen inside the artist, small letters"),
    untagged("Rush \u2013 Tom Sawyer.mp3", "Rush - Tom Sawyer.mp3", "en dash"),
    untagged("Sunn O))) - Aghartha.mp3", "Sunn O))) - Aghartha.mp3", "brackets in the artist, already careful"),
    untagged("r.e.m. - losing my religion.mp3", "R.E.M. - Losing My Religion.mp3", "initials, small letters"),
    untagged("Ke$ha - TiK ToK.mp3", "Ke$ha - TiK ToK.mp3", "symbol and mixed case, already careful"),
    untagged("1-01 Stevie Wonder - Superstition.mp3", "Stevie Wonder - Superstition.mp3", "track prefix '1-01'"),
    untagged("Track 01.mp3", "Track 01.mp3", "no usable name"),
    untagged("wonderwall.mp3", "Wonderwall.mp3", "title alone, small letters"),
    untagged("AUD-20190312-WA0004.mp3", "AUD-20190312-WA0004.mp3", "no usable name (a phone's recording)"),
    untagged("smashing pumpkins - 1979.mp3", "Smashing Pumpkins - 1979.mp3", "a title that is a year"),
    untagged("The 1975 - Chocolate.mp3", "The 1975 - Chocolate.mp3", "number in the artist, already careful"),
    untagged("blink-182 - all the small things.mp3", "Blink-182 - All the Small Things.mp3",
             "hyphen and number in the artist, small letters"),
    untagged("Sleater-Kinney - Dig Me Out.mp3", "Sleater-Kinney - Dig Me Out.mp3", "hyphen inside the artist"),
    untagged("eagle-eye cherry - save tonight.mp3", "Eagle-Eye Cherry - Save Tonight.mp3",
             "hyphen inside the artist, small letters"),
    untagged("!!! - Me and Giuliani Down by the School Yard (A True Story).mp3",
             "!!! - Me and Giuliani Down by the School Yard (A True Story).mp3", "artist of symbols"),
    untagged("02 Antonio Vivaldi - La primavera, Op. 8 No. 1.mp3", "Antonio Vivaldi - La primavera, Op. 8 No. 1.mp3",
             "track prefix '02 ', Op. 8"),
    untagged("paul mccartney - maybe i'm amazed.mp3", "Paul McCartney - Maybe I'm Amazed.mp3", "Mc name"),
    untagged("the who - baba o'riley.mp3", "The Who - Baba O'Riley.mp3", "O' name"),
    untagged("johann strauss ii - the blue danube.mp3", "Johann Strauss II - The Blue Danube.mp3", "Roman numeral"),
    untagged("10cc - i'm not in love.mp3", "10cc - I'm Not in Love.mp3", "letters after digits"),
    untagged("u2 - one.mp3", "U2 - One.mp3", "letter and digit, small letters"),
    untagged("MADONNA - LIKE A PRAYER.MP3", "Madonna - Like a Prayer.mp3", "all capitals, extension in capitals"),
    untagged("Aretha  Franklin  -  Respect .mp3", "Aretha Franklin - Respect.mp3", "double and trailing blanks"),
    untagged("Arcade Fire - Funeral - 03 - Neighborhood #1 (Tunnels).mp3",
             "Arcade Fire - Neighborhood #1 (Tunnels).mp3", "artist - album - track - title"),
    untagged("ДДТ - Что такое осень.mp3", "ДДТ - Что такое осень.mp3", "Cyrillic, already careful"),
    untagged("02. Μίκης Θεοδωράκης - Ζορμπάς.mp3", "Μίκης Θεοδωράκης - Ζορμπάς.mp3", "Greek, track prefix '02.'"),
    untagged("米津玄師 - Lemon (Official Audio).mp3", "米津玄師 - Lemon.mp3", "Japanese artist, (Official Audio)"),
    untagged("Missy Elliott - Get Ur Freak On (HD).mp3", "Missy Elliott - Get Ur Freak On.mp3", "(HD)"),
    untagged("eric clapton - layla (unplugged).mp3", "Eric Clapton - Layla (Unplugged).mp3",
             "version kept, small letters"),
    untagged("moby - porcelain (radio edit).mp3", "Moby - Porcelain (Radio Edit).mp3", "version kept, small letters"),
    untagged("Fela Kuti - Water No Get Enemy [www.afrobeat-mp3.net].mp3", "Fela Kuti - Water No Get Enemy.mp3",
             "site in square brackets"),
    untagged("Hans Zimmer \u2013 Time (Inception).mp3", "Hans Zimmer - Time (Inception).mp3", "en dash, brackets kept"),
    untagged("Cesária Évora - Sodade.mp3", "Cesária Évora - Sodade.mp3", "accented letters, already careful",
             audio="sodade"),
    untagged("NEW_SONG_FINAL(2).mp3", "NEW_SONG_FINAL(2).mp3", "no usable name"),
    untagged("Gorillaz - Clint Eastwood.mp3", "Gorillaz - Clint Eastwood.mp3", "duplicate (first copy)",
             audio="gorillaz"),
    untagged("Gorillaz - Clint Eastwood (copy).mp3", "Gorillaz - Clint Eastwood (2).mp3", "duplicate (second copy)",
             audio="gorillaz"),
    # --- ID3v1 only --------------------------------------------------------------
    tagged("01. Nirvana - Lithium.mp3", "Nirvana - Lithium.mp3", "track prefix '01.', tag agrees",
           v1=Id3v1("Lithium", "Nirvana", "Nevermind", "1991", "", 5, 131)),
    tagged("07_-_Bob_Dylan_-_Like_a_Rolling_Stone.mp3", "Bob Dylan - Like a Rolling Stone.mp3",
           "track prefix and underscores, tag agrees",
           v1=Id3v1("Like a Rolling Stone", "Bob Dylan", "Highway 61 Revisited", "1965", "", 1, 80)),
    tagged("Track 07.mp3", "Bob Marley - Three Little Birds.mp3", "name useless",
           v1=Id3v1("Three Little Birds", "Bob Marley", "Exodus", "1977", "", 7, 16)),
    tagged("Arctic Monkeys - I Bet You Look Good on the Dancefloor.mp3",
           "Arctic Monkeys - I Bet You Look Good on the Dancefloor.mp3", "title cut at 30, name has the whole",
           v1=Id3v1("I Bet You Look Good on the Dancefloor", "Arctic Monkeys", "Whatever People Say I Am", "2006",
                    "", 2, 17)),
    tagged("09 - fall out boy - this ain't a scene, it's an arms race.mp3",
           "Fall Out Boy - This Ain't a Scene, It's an Arms Race.mp3", "title cut at 30, name has the whole",
           v1=Id3v1("This Ain't a Scene, It's an Arms Race", "Fall Out Boy", "Infinity on High", "2007", "", 9, 17)),
    tagged("ramones-blitzkrieg_bop.mp3", "Ramones - Blitzkrieg Bop.mp3", "tags in capitals",
           v1=Id3v1("BLITZKRIEG BOP", "RAMONES", "RAMONES", "1976", "", 1, 43)),
    tagged("06.mp3", "Miles Davis - So What.mp3", "name useless, blank padding",
           v1=Id3v1("So What", "Miles Davis", "Kind of Blue", "1959", "", 0, 8, pad=b" ")),
    tagged("track03.mp3", "Сплин - Выхода нет.mp3", "mojibake (CP1251 read as Latin-1), name useless",
           v1=Id3v1(cp1251("Выхода нет"), cp1251("Сплин"), "", "1998", "", 3, 17)),
    tagged("Led Zeppelin - Stairway to Heaven.mp3", "Led Zeppelin - Stairway to Heaven.mp3",
           "tags in small letters, name careful",
           v1=Id3v1("stairway to heaven", "led zeppelin", "iv", "1971", "", 4, 17)),
    tagged("ABBA - Waterloo.mp3", "ABBA - Waterloo.mp3", "acronym artist",
           v1=Id3v1("Waterloo", "ABBA", "Waterloo", "1974", "", 1, 13)),
    tagged("Johnny B. Goode.mp3", "Chuck Berry - Johnny B. Goode.mp3", "blank padding, dot inside the title",
           v1=Id3v1("Johnny B. Goode", "Chuck Berry", "", "1958", "", 0, 1, pad=b" ")),
    tagged("ccr - fortunate son.mp3", "Creedence Clearwater Revival - Fortunate Son.mp3",
           "ID3v1.0, tag and name disagree",
           v1=Id3v1("Fortunate Son", "Creedence Clearwater Revival", "Willy and the Poor Boys", "1969",
                    "ripped 2003", 0, 17)),
    tagged("crazy.mp3", "Patsy Cline - Crazy.mp3", "tags in capitals",
           v1=Id3v1("CRAZY", "PATSY CLINE", "SHOWCASE", "1961", "", 0, 2)),
    # --- ID3v2.2 (ISO-8859-1 or UTF-16 with BOM, as the version allows) ----------
    tagged("Track 05 - Coldplay - Yellow.mp3", "Coldplay - Yellow.mp3", "track prefix 'Track 05 -', tag agrees",
           v22(LATIN1, title="Yellow", artist="Coldplay", track="5/10")),
    tagged("Iron Maiden - The Trooper [1983].mp3", "Iron Maiden - The Trooper.mp3", "year in square brackets",
           v22(UTF16, title="The Trooper", artist="Iron Maiden", year="1983")),
    tagged("01 - Intro.mp3", "The xx - Intro.mp3", "mixed case on purpose, cover",
           v22(LATIN1, title="Intro", artist="The xx", album="xx", year="2009", track="1/11", cover=True)),
    tagged("Track 02.mp3", "坂本九 - 上を向いて歩こう.mp3", "Japanese",
           v22(UTF16, title="上を向いて歩こう", artist="坂本九", year="1961", track="2")),
    tagged("John Coltrane - Giant Steps.mp3", "John Coltrane - Giant Steps.mp3", "composer, comment",
           v22(LATIN1, title="Giant Steps", artist="John Coltrane", album="Giant Steps", track="1/7",
               composer="John Coltrane", comment="Atlantic 1311", padding=200)),
    tagged("nina_simone-feeling_good.mp3", "Nina Simone - Feeling Good.mp3", "title only in the tag",
           v22(LATIN1, title="Feeling Good")),
    tagged("Sigur Ros - Hoppipolla.mp3", "Sigur Rós - Hoppípolla.mp3", "accents in the tag only",
           v22(LATIN1, title="Hoppípolla", artist="Sigur Rós", album="Takk...", year="2005")),
    tagged("aphex twin - windowlicker.mp3", "Aphex Twin - Windowlicker.mp3", "lyrics",
           v22(UTF16, title="Windowlicker", artist="Aphex Twin", lyrics="(no words)")),
    tagged("05 Track 5.mp3", "Björk - Jóga.mp3", "name useless",
           v22(UTF16, title="Jóga", artist="Björk", album="Homogenic", track="5/10")),
    tagged("london calling.mp3", "The Clash - London Calling.mp3", "tags in capitals",
           v22(LATIN1, title="LONDON CALLING", artist="THE CLASH", album="LONDON CALLING")),
    # --- ID3v2.3 (ISO-8859-1 or UTF-16 with BOM) ---------------------------------
    tagged("Daft Punk - Around the World [Official Video].mp3", "Daft Punk - Around the World.mp3",
           "[Official Video], tag agrees", v23(UTF16, title="Around the World", artist="Daft Punk", year="1997")),
    tagged("Bob_Marley_-_Redemption_Song.mp3", "Bob Marley - Redemption Song.mp3", "underscores, tag agrees",
           v23(LATIN1, title="Redemption Song", artist="Bob Marley", genre="(16)")),
    tagged("08 - Sum 41 - In Too Deep.mp3", "Sum 41 - In Too Deep.mp3", "track prefix, number in the artist",
           v23(UTF16, title="In Too Deep", artist="Sum 41", track="8/13")),
    tagged("UB40 - Red Red Wine (Official Video).mp3", "UB40 - Red Red Wine.mp3", "(Official Video), tag agrees",
           v23(LATIN1, title="Red Red Wine", artist="UB40", year="1983")),
    tagged("Adele - Rolling in the Deep.mp3.mp3", "Adele - Rolling in the Deep.mp3", "extension twice, tag agrees",
           v23(UTF16, title="Rolling in the Deep", artist="Adele", album="21")),
    tagged("The Prodigy - Firestarter 128kbps.mp3", "The Prodigy - Firestarter.mp3", "bitrate without brackets",
           v23(LATIN1, title="Firestarter", artist="The Prodigy", year="1996"),
           Id3v1("Firestarter", "The Prodigy", "The Fat of the Land", "1997", "", 3, 52)),
    tagged("06 Buena Vista Social Club - Chan Chan.mp3", "Buena Vista Social Club - Chan Chan.mp3",
           "track prefix '06 ', tag agrees",
           v23(UTF16, title="Chan Chan", artist="Buena Vista Social Club", track="1/14", genre="Son")),
    tagged("Queen - Bohemian Rhapsody.mp3", "Queen - Don't Stop Me Now.mp3",
           "chain: the name is taken by another file's careful name",
           v23(LATIN1, title="Don't Stop Me Now", artist="Queen", album="Jazz", year="1978", track="12/13")),
    tagged("Blondie - Atomic.mp3", "Blondie - Call Me.mp3", "chain of three (names shifted against the tags)",
           v23(UTF16, title="Call Me", artist="Blondie")),
    tagged("Blondie - Call Me.mp3", "Blondie - Heart of Glass.mp3", "chain of three",
           v23(UTF16, title="Heart of Glass", artist="Blondie", album="Parallel Lines")),
    tagged("Blondie - Heart of Glass.mp3", "Blondie - Dreaming.mp3", "chain of three",
           v23(UTF16, title="Dreaming", artist="Blondie", album="Eat to the Beat")),
    tagged("Nine Inch Nails - Hurt.mp3", "Johnny Cash - Hurt.mp3", "tag and name disagree (a cover)",
           v23(LATIN1, title="Hurt", artist="Johnny Cash", album="American IV: The Man Comes Around", year="2002")),
    tagged("tears_for_fears-everybody_wants_to_rule_the_world.mp3",
           "Tears for Fears - Everybody Wants to Rule the World.mp3", "ID3v1 cut at 30, ID3v2 whole",
           v23(UTF16, title="Everybody Wants to Rule the World", artist="Tears for Fears", track="3/8"),
           Id3v1("Everybody Wants to Rule the World", "Tears for Fears", "Songs from the Big Chair", "1985", "",
                 3, 13)),
    tagged("Мистер Малой - Буду погибать молодым.mp3", "Мистер Малой - Буду погибать молодым.mp3",
           "mojibake (CP1251 read as Latin-1), name careful",
           v23(LATIN1, title=cp1251("Буду погибать молодым"), artist=cp1251("Мистер Малой"), year="1992")),
    tagged("Track 4.mp3", "Кино - Группа крови.mp3", "Cyrillic",
           v23(UTF16, title="Группа крови", artist="Кино", album="Группа крови", year="1988", track="1/11")),
    tagged("tatu - all the things she said.mp3", "t.A.T.u. - All the Things She Said.mp3", "mixed case on purpose",
           v23(UTF16, title="All the Things She Said", artist="t.A.T.u.", year="2002")),
    tagged("abba_-_dancing_queen.mp3", "ABBA - Dancing Queen.mp3", "acronym artist",
           v23(LATIN1, title="Dancing Queen", artist="ABBA", album="Arrival", year="1976", genre="(13)")),
    tagged("Track 03.mp3", "Metallica - Enter Sandman.mp3", "tags in capitals",
           v23(LATIN1, title="ENTER SANDMAN", artist="METALLICA", album="METALLICA", genre="(9)")),
    tagged("acdc-highway_to_hell.mp3", "AC-DC - Highway to Hell.mp3", "tags in capitals, '/' in the artist",
           v23(UTF16, title="HIGHWAY TO HELL", artist="AC/DC", album="HIGHWAY TO HELL", year="1979")),
    tagged("nirvana_-_smells_like_teen_spirit_[www.mp3ruler.com].mp3", "Nirvana - Smells Like Teen Spirit.mp3",
           "tags in small letters, site in the name",
           v23(LATIN1, title="smells like teen spirit", artist="nirvana", album="nevermind")),
    tagged("Taylor Swift - Shake It Off (Official Video).mp3", "Taylor Swift - Shake It Off.mp3",
           "uploader's channel as artist, video title as title",
           v23(UTF16, title="Taylor Swift - Shake It Off (Official Video)", artist="TaylorSwiftVEVO",
               comment="https://www.youtube.com/watch?v=nfWlot6h_JM")),
    tagged("01 - Rehab.mp3", "Amy Winehouse - Rehab.mp3", "same title tag on the album (the album's name)",
           v23(LATIN1, title="Back to Black", artist="Amy Winehouse", album="Back to Black", track="1/11")),
    tagged("02 - You Know I'm No Good.mp3", "Amy Winehouse - You Know I'm No Good.mp3",
           "same title tag on the album (the album's name)",
           v23(LATIN1, title="Back to Black", artist="Amy Winehouse", album="Back to Black", track="2/11")),
    tagged("03 - Me & Mr Jones.mp3", "Amy Winehouse - Me & Mr Jones.mp3",
           "same title tag on the album (the album's name)",
           v23(LATIN1, title="Back to Black", artist="Amy Winehouse", album="Back to Black", track="3/11")),
    tagged("01 Aria.mp3", "Glenn Gould - Goldberg Variations, BWV 988: Aria.mp3", "composer, classical",
           v23(UTF16, title="Goldberg Variations, BWV 988: Aria", artist="Glenn Gould",
               album="Bach: The Goldberg Variations", year="1981", track="1/32", composer="Johann Sebastian Bach")),
    tagged("09 Alright.mp3", "Kendrick Lamar - Alright.mp3", "track '9/12', cover, lyrics, TXXX ids",
           v23(UTF16, title="Alright", artist="Kendrick Lamar", album="To Pimp a Butterfly", year="2015", track="9/12",
               lyrics="Alls my life I has to fight", cover=True, txxx=MBID, padding=1024)),
    tagged("motorhead - ace of spades.mp3", "Motörhead - Ace of Spades.mp3", "UTF-16 big-endian BOM",
           v23(UTF16, title="Ace of Spades", artist="Motörhead", year="1980", big_endian_bom=True)),
    tagged("edith piaf - non je ne regrette rien.mp3", "Édith Piaf - Non, je ne regrette rien.mp3",
           "French, accents in the tag",
           v23(LATIN1, title="Non, je ne regrette rien", artist="Édith Piaf", year="1960")),
    tagged("Beyonce-Halo.mp3", "Beyoncé - Halo.mp3", "accent in the tag",
           v23(UTF16, title="Halo", artist="Beyoncé", album="I Am... Sasha Fierce", txxx=GAIN)),
    tagged("Marvin Gaye - What's Going On.mp3", "Marvin Gaye - What's Going On.mp3", "already careful",
           v23(LATIN1, title="What's Going On", artist="Marvin Gaye", album="What's Going On", year="1971")),
    tagged("09 - 9 to 5.mp3", "Dolly Parton - 9 to 5.mp3", "a title starting with a number",
           v23(LATIN1, title="9 to 5", artist="Dolly Parton", track="9")),
    tagged("seven nation army.mp3", "The White Stripes - Seven Nation Army.mp3", "title tag ends in '.mp3'",
           v23(LATIN1, title="Seven Nation Army.mp3", artist="The White Stripes")),
    tagged("hello.mp3", "Adele - Hello.mp3", "blanks around the tag values",
           v23(UTF16, title="Hello  ", artist="  Adele ", album="25")),
    tagged("uptown funk.mp3", "Mark Ronson feat. Bruno Mars - Uptown Funk.mp3", "feat. in the artist",
           v23(LATIN1, title="Uptown Funk", artist="Mark Ronson feat. Bruno Mars", album_artist="Mark Ronson")),
    tagged("Be My Baby.mp3", "The Ronettes - Be My Baby.mp3", "compilation (album artist Various Artists)",
           v23(LATIN1, title="Be My Baby", artist="The Ronettes", album_artist="Various Artists", album="Back to Mono",
               track="9/60")),
    tagged("Track 1.mp3", "Track 1.mp3", "ripper's placeholders in the tag, name useless",
           v23(LATIN1, title="Track 1", artist="Unknown Artist", album="Unknown Album", track="1")),
    tagged("Soft Cell - Tainted Love.mp3", "Soft Cell - Tainted Love.mp3", "ripper's placeholder artist",
           v23(LATIN1, title="Tainted Love", artist="Unknown Artist")),
    tagged("Lana Del Rey - Video Games.mp3", "Lana Del Rey - Video Games.mp3", "a tag with no text values",
           v23(LATIN1, encoder="LAME 3.100", padding=512)),
    tagged("Oasis - Wonderwall.mp3", "Oasis - Wonderwall.mp3", "duplicate (first copy)",
           v23(UTF16, title="Wonderwall", artist="Oasis", album="(What's the Story) Morning Glory?"), audio="oasis"),
    tagged("oasis-wonderwall(1).mp3", "Oasis - Wonderwall (2).mp3", "duplicate (second copy)",
           v23(UTF16, title="Wonderwall", artist="Oasis", album="(What's the Story) Morning Glory?"), audio="oasis"),
    tagged("rage - killing in the name.mp3", "Rage Against the Machine - Killing in the Name.mp3",
           "ID3v1 and ID3v2 agree",
           v23(LATIN1, title="Killing in the Name", artist="Rage Against the Machine", genre="Metal"),
           Id3v1("Killing in the Name", "Rage Against the Machine", "Rage Against the Machine", "1992", "", 2, 9)),
    # --- ID3v2.4 (every encoding) ------------------------------------------------
    tagged("The Kinks - Waterloo Sunset (2000 remaster).mp3", "The Kinks - Waterloo Sunset.mp3",
           "(2000 remaster), tag agrees", v24(UTF8, title="Waterloo Sunset", artist="The Kinks", year="1967")),
    tagged("muse-hysteria.mp3", "Muse - Hysteria.mp3", "hyphen without blanks, small letters, tag agrees",
           v24(LATIN1, title="Hysteria", artist="Muse", album="Absolution")),
    tagged("Outkast - Hey Ya! (Lyrics).mp3", "Outkast - Hey Ya!.mp3", "(Lyrics), tag agrees",
           v24(UTF16, title="Hey Ya!", artist="Outkast", year="2003")),
    tagged("Metallica - The Unforgiven II (320 kbps).mp3", "Metallica - The Unforgiven II.mp3",
           "bitrate with a blank, Roman numeral", v24(UTF8, title="The Unforgiven II", artist="Metallica")),
    tagged("chvrches-the_mother_we_share.mp3", "CHVRCHES - The Mother We Share.mp3", "acronym-like artist",
           v24(UTF8, title="The Mother We Share", artist="CHVRCHES", year="2012")),
    tagged("01 First Love.mp3", "宇多田ヒカル - First Love.mp3", "Japanese artist",
           v24(UTF8, title="First Love", artist="宇多田ヒカル", year="1999", track="1/12")),
    tagged("Track 09.mp3", "Χαρούλα Αλεξίου - Τα Τσιγάρα.mp3", "Greek",
           v24(UTF16BE, title="Τα Τσιγάρα", artist="Χαρούλα Αλεξίου")),
    tagged("IU - Good Day.mp3", "아이유 - 좋은 날.mp3", "Korean tag, English name",
           v24(UTF8, title="좋은 날", artist="아이유", year="2010")),
    tagged("eminem-love_the_way_you_lie-(ft_rihanna).mp3", "Eminem - Love the Way You Lie.mp3",
           "mixed case tag, lyrics, TXXX ids",
           v24(UTF8, title="Love the Way You Lie", artist="Eminem", album="Recovery", year="2010",
               lyrics="Just gonna stand there and watch me burn", txxx=MBID)),
    tagged("the rolling stones - you cant always get what you want.mp3",
           "The Rolling Stones - You Can't Always Get What You Want.mp3", "ID3v1 cut at 30, ID3v2 whole",
           v24(UTF16, title="You Can't Always Get What You Want", artist="The Rolling Stones", album="Let It Bleed"),
           Id3v1("You Can't Always Get What You Want", "The Rolling Stones", "Let It Bleed", "1969", "", 9, 17)),
    tagged("Portishead - Glory Box.mp3", "Portishead - Roads.mp3", "swap (two names exchanged)",
           v24(LATIN1, title="Roads", artist="Portishead", album="Dummy")),
    tagged("Portishead - Roads.mp3", "Portishead - Glory Box.mp3", "swap (two names exchanged)",
           v24(LATIN1, title="Glory Box", artist="Portishead", album="Dummy")),
    tagged("Kate Bush - Running Up That Hill.mp3", "Kate Bush - Running Up That Hill.mp3", "duplicate (first copy)",
           v24(UTF8, title="Running Up That Hill", artist="Kate Bush", album="Hounds of Love"), audio="kate"),
    tagged("01 Running Up That Hill.mp3", "Kate Bush - Running Up That Hill (2).mp3", "duplicate (second copy)",
           v24(UTF8, title="Running Up That Hill", artist="Kate Bush", album="Hounds of Love"), audio="kate"),
    tagged("Marshmello - Alone.mp3", "Marshmello - Alone.mp3", "uploader's channel as artist",
           v24(UTF8, title="Marshmello - Alone", artist="Trap Nation", comment="Monstercat Release")),
    tagged("Daft Punk - Get Lucky (Official Audio) ft. Pharrell Williams.mp3", "Daft Punk - Get Lucky.mp3",
           "cover, TXXX ids",
           v24(UTF8, title="Get Lucky", artist="Daft Punk", album="Random Access Memories", cover=True, txxx=GAIN)),
    tagged("bruce springsteen - born to run.mp3", "Bruce Springsteen - Born to Run.mp3", "ISO-8859-1 in 2.4",
           v24(LATIN1, title="Born to Run", artist="Bruce Springsteen", year="1975")),
    tagged("Rosalia - Malamente (Cap.1 Augurio).mp3", "Rosalía - Malamente.mp3", "accent in the tag",
           v24(UTF8, title="Malamente", artist="Rosalía", year="2018")),
    tagged("cesaria evora - sodade.mp3", "Cesária Évora - Sodade (2).mp3",
           "duplicate of an untagged copy that already has the careful name",
           v24(UTF16BE, title="Sodade", artist="Cesária Évora"), audio="sodade"),
    tagged("Claude Debussy - Clair de lune.mp3", "Claude Debussy - Clair de lune.mp3",
           "title and composer in the tag, artist from the name",
           v24(UTF8, title="Clair de lune", composer="Claude Debussy")),
    tagged("track04.mp3", "track04.mp3", "artist only in the tag, name useless",
           v24(UTF8, artist="Hiromi", album="Spiral")),
    tagged("AUDIO_0042.mp3", "Take Five.mp3", "title only in the tag, name useless", v24(UTF8, title="Take Five")),
    tagged("james_brown.mp3", "James Brown - I Got You (I Feel Good).mp3", "tags in capitals",
           v24(UTF8, title="I GOT YOU (I FEEL GOOD)", artist="JAMES BROWN", year="1965")),
    tagged("Lorde - Royals.mp3", "Lorde - Royals.mp3", "tags in small letters, name careful",
           v24(UTF16, title="royals", artist="lorde", album="pure heroine")),
    tagged("03 fat lip.mp3", "Sum 41 - Fat Lip.mp3", "number in the artist",
           v24(UTF8, title="Fat Lip", artist="Sum 41", track="3/13")),
    tagged("Sade - Smooth Operator.mp3", "Sade - Smooth Operator.mp3", "already careful",
           v24(LATIN1, title="Smooth Operator", artist="Sade", album="Diamond Life", year="1984")),
    tagged("Inception - 12 - Time.mp3", "Hans Zimmer - Time.mp3", "album - track - title in the name",
           v24(UTF8, title="Time", artist="Hans Zimmer", album="Inception", track="12/12")),
    tagged("mr._mister_-_broken_wings.mp3", "Mr. Mister - Broken Wings.mp3", "dot in the artist",
           v24(UTF16, title="Broken Wings", artist="Mr. Mister")),
    tagged("b52s-love_shack.mp3", "The B-52's - Love Shack.mp3", "hyphen and apostrophe in the artist",
           v24(UTF8, title="Love Shack", artist="The B-52's", year="1989")),
    tagged("Joy Division - Love Will Tear Us Apart (2010 Remaster).mp3", "Joy Division - Love Will Tear Us Apart.mp3",
           "remaster note in the name", v24(UTF8, title="Love Will Tear Us Apart", artist="Joy Division")),
    tagged("Kraftwerk - Das Model.mp3", "Kraftwerk - Das Model.mp3", "German title, already careful",
           v24(UTF16BE, title="Das Model", artist="Kraftwerk", album="Die Mensch-Maschine")),
    tagged("notorious big - juicy.mp3", "The Notorious B.I.G. - Juicy.mp3", "initials in the tag",
           v24(UTF8, title="Juicy", artist="The Notorious B.I.G.", year="1994")),
    tagged("wu-tang clan - protect ya neck.mp3", "Wu-Tang Clan - Protect Ya Neck.mp3", "hyphen in the artist",
           v24(LATIN1, title="Protect Ya Neck", artist="Wu-Tang Clan")),
    tagged("stromae_alors_on_danse.mp3", "Stromae - Alors on danse.mp3", "French title, underscores in the name",
           v24(UTF8, title="Alors on danse", artist="Stromae")),
    tagged("Мумий Тролль - Владивосток 2000.mp3", "Мумий Тролль - Владивосток 2000.mp3",
           "Cyrillic, a number in the title", v24(UTF16, title="Владивосток 2000", artist="Мумий Тролль", year="1998")),
    tagged("thunderstruck.mp3", "AC-DC - Thunderstruck.mp3", "'/' in the artist",
           v24(UTF8, title="Thunderstruck", artist="AC/DC", album="The Razors Edge", year="1990")),
]
