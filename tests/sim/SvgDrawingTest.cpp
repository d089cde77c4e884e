// The drawing of a vessel: read back with a real XML parser, it must be well-formed whatever the
// names, show every port and thruster of the Quillmar to scale, its groups, its airlock at the
// active port, and the crew and docked vessels around it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <tinyxml2.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sim/drawing/SvgDrawing.h"
#include "sim/drawing/XmlText.h"
#include "sim/session/CommandLine.h"
#include "sim/session/DrawingFile.h"
#include "sim/session/ScriptRunner.h"
#include "sim/session/Simulator.h"
#include "testing/RootFiles.h"
#include "testing/ShipModule.h"
#include "tests/sim/DockedQuillmars.h"

namespace {

namespace fs = std::filesystem;
using tinyxml2::XMLElement;

// A name (vessel names hold no blanks or control characters) with every character markup needs
// escaped and non-ASCII text; control characters in drawn texts are covered by XmlText's table.
const std::string kAwkwardName = "Eve&<Bob>\"O'Hara\"\xC3\xA9";

bool HasClass(const XMLElement& element, const std::string& name) {
    const char* classes = element.Attribute("class");
    if (classes == nullptr) return false;
    std::istringstream words(classes);
    std::string word;
    while (words >> word) {
        if (word == name) return true;
    }
    return false;
}

void Walk(const XMLElement& element, const std::function<void(const XMLElement&)>& visit) {
    visit(element);
    for (const XMLElement* child = element.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        Walk(*child, visit);
    }
}

std::vector<const XMLElement*> WithClass(const XMLElement& root, const std::string& name) {
    std::vector<const XMLElement*> found;
    Walk(root, [&](const XMLElement& e) {
        if (HasClass(e, name)) found.push_back(&e);
    });
    return found;
}

const XMLElement* ById(const XMLElement& root, const std::string& id) {
    const XMLElement* found = nullptr;
    Walk(root, [&](const XMLElement& e) {
        const char* value = e.Attribute("id");
        if (value != nullptr && id == value) found = &e;
    });
    return found;
}

// The text of an element and its descendants.
std::string TextOf(const XMLElement& element) {
    std::string text;
    for (const tinyxml2::XMLNode* node = element.FirstChild(); node != nullptr;
         node = node->NextSibling()) {
        if (node->ToText() != nullptr) text += node->Value();
        if (node->ToElement() != nullptr) text += TextOf(*node->ToElement());
    }
    return text;
}

// The port's own dot: the circle that is not the active-port ring.
const XMLElement* PortDot(const XMLElement& port) {
    for (const XMLElement* c = port.FirstChildElement("circle"); c != nullptr;
         c = c->NextSiblingElement("circle")) {
        if (!HasClass(*c, "ring")) return c;
    }
    return nullptr;
}

struct Drawing {
    tinyxml2::XMLDocument document;
    const XMLElement* root = nullptr;
};

// A rectangle on the page.
struct PageBox {
    double left, top, right, bottom;
    bool Overlaps(const PageBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const PageBox& b) {
    return out << "[" << b.left << "," << b.top << " to " << b.right << "," << b.bottom << "]";
}

// A label's box as a sans-serif font sets it: characters about 0.6 of the font size wide on
// average, from 0.75 of it above the baseline to 0.2 below.
PageBox LabelBox(const XMLElement& text) {
    const double size = HasClass(text, "thruster-label") ? 9.0 : 11.0;
    double characters = 0;
    for (const char c : TextOf(text)) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const double width = characters * 0.6 * size;
    const double x = text.DoubleAttribute("x"), y = text.DoubleAttribute("y");
    const char* anchor = text.Attribute("text-anchor");
    const std::string a = anchor != nullptr ? anchor : "start";
    const double left = a == "start" ? x : (a == "middle" ? x - width / 2 : x - width);
    return {left, y - 0.75 * size, left + width, y + 0.2 * size};
}

// The symbols of a view: ports, thrusters and vessel markers, each circle, line (with its arrow
// head; not a label's leader line) and marker as its box.
std::vector<PageBox> SymbolBoxes(const XMLElement& view) {
    std::vector<PageBox> boxes;
    for (const char* kind : {"port", "thruster", "vessel-marker"}) {
        for (const XMLElement* group : WithClass(view, kind)) {
            Walk(*group, [&](const XMLElement& e) {
                const std::string name = e.Name();
                if (name == "circle") {
                    const double x = e.DoubleAttribute("cx"), y = e.DoubleAttribute("cy");
                    const double r = e.DoubleAttribute("r");
                    boxes.push_back({x - r, y - r, x + r, y + r});
                } else if (name == "line" && !HasClass(e, "leader")) {
                    const double head = e.Attribute("marker-end") != nullptr ? 3.5 : 0.0;
                    const double x2 = e.DoubleAttribute("x2"), y2 = e.DoubleAttribute("y2");
                    boxes.push_back({std::min(e.DoubleAttribute("x1"), x2),
                                     std::min(e.DoubleAttribute("y1"), y2),
                                     std::max(e.DoubleAttribute("x1"), x2),
                                     std::max(e.DoubleAttribute("y1"), y2)});
                    boxes.push_back({x2 - head, y2 - head, x2 + head, y2 + head});
                } else if (name == "rect") {
                    const double x = e.DoubleAttribute("x"), y = e.DoubleAttribute("y");
                    boxes.push_back(
                        {x, y, x + e.DoubleAttribute("width"), y + e.DoubleAttribute("height")});
                } else if (name == "polygon") {
                    PageBox box{1e9, 1e9, -1e9, -1e9};
                    std::istringstream points(e.Attribute("points"));
                    std::string point;
                    while (points >> point) {
                        const double px = std::stod(point.substr(0, point.find(',')));
                        const double py = std::stod(point.substr(point.find(',') + 1));
                        box = {std::min(box.left, px), std::min(box.top, py),
                               std::max(box.right, px), std::max(box.bottom, py)};
                    }
                    boxes.push_back(box);
                }
            });
        }
    }
    return boxes;
}

// In every view no two labels overlap and no label covers a symbol.
void ExpectLabelsClear(const Drawing& drawing) {
    for (const char* id : {"top-view", "side-view", "top-detail", "side-detail"}) {
        const XMLElement* view = ById(*drawing.root, id);
        if (view == nullptr) continue;
        SCOPED_TRACE(id);
        // A close-up shows what lies within its frame.
        PageBox shown{-1e9, -1e9, 1e9, 1e9};
        Walk(*view, [&](const XMLElement& e) {
            if (HasClass(e, "frame")) {
                const double x = e.DoubleAttribute("x"), y = e.DoubleAttribute("y");
                shown = {x, y, x + e.DoubleAttribute("width"), y + e.DoubleAttribute("height")};
            }
        });
        std::vector<std::pair<std::string, PageBox>> labels;
        Walk(*view, [&](const XMLElement& e) {
            if (std::string(e.Name()) == "text" && !HasClass(e, "heading") &&
                LabelBox(e).Overlaps(shown)) {
                labels.emplace_back(TextOf(e), LabelBox(e));
            }
        });
        EXPECT_FALSE(labels.empty());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                EXPECT_FALSE(labels[i].second.Overlaps(labels[j].second))
                    << "'" << labels[i].first << "' " << labels[i].second << " over '"
                    << labels[j].first << "' " << labels[j].second;
            }
            for (const PageBox& symbol : SymbolBoxes(*view)) {
                EXPECT_FALSE(labels[i].second.Overlaps(symbol))
                    << "'" << labels[i].first << "' " << labels[i].second << " covers a symbol at "
                    << symbol;
            }
        }
    }
}

// Parses the file; a parse error fails the calling test.
void Parse(const fs::path& file, Drawing& drawing) {
    ASSERT_EQ(drawing.document.LoadFile(file.string().c_str()), tinyxml2::XML_SUCCESS)
        << file << ": " << drawing.document.ErrorStr();
    drawing.root = drawing.document.RootElement();
    ASSERT_NE(drawing.root, nullptr);
    ASSERT_STREQ(drawing.root->Name(), "svg");
    ASSERT_STREQ(drawing.root->Attribute("xmlns"), "http://www.w3.org/2000/svg");
}

class QuillmarDrawing : public DockedQuillmars {
  protected:
    // Steps the active port forward `steps` times.
    void StepActivePort(int steps) {
        for (int i = 0; i < steps; ++i) sim.PressKey("Pioneer", "Shift+KP+");
        sim.Run(0.1);
    }

    void Draw(Drawing& drawing) {
        const fs::path file = sim.Root() / "pioneer.svg";
        sim.Execute("draw Pioneer " + file.string());
        Parse(file, drawing);
    }
};

TEST_F(QuillmarDrawing, BothViewsShowEveryPortAndThrusterToScale) {
    StepActivePort(3);
    Drawing drawing;
    ASSERT_NO_FATAL_FAILURE(Draw(drawing));
    for (const char* id : {"top-view", "side-view"}) {
        SCOPED_TRACE(id);
        const XMLElement* view = ById(*drawing.root, id);
        ASSERT_NE(view, nullptr);
        const double scale = view->DoubleAttribute("data-scale");
        ASSERT_GT(scale, 0.0);

        const auto ports = WithClass(*view, "port");
        ASSERT_EQ(ports.size(), 7u);
        std::map<int, const XMLElement*> byNumber;
        for (const XMLElement* p : ports) byNumber[p->IntAttribute("data-port", -1)] = p;
        ASSERT_EQ(byNumber.size(), 7u);
        EXPECT_EQ(byNumber.begin()->first, 0);
        EXPECT_EQ(byNumber.rbegin()->first, 6);
        ASSERT_NE(byNumber[0]->Attribute("data-docked"), nullptr);
        EXPECT_STREQ(byNumber[0]->Attribute("data-docked"), "Meridian");
        EXPECT_NE(TextOf(*byNumber[0]).find("Meridian"), std::string::npos);
        for (int port = 1; port < 7; ++port)
            EXPECT_EQ(byNumber[port]->Attribute("data-docked"), nullptr);

        // To scale: port 0 sits at z 207.2, ports 3 to 6 at z 49 (and 20 m off the axis).
        const XMLElement* dot0 = PortDot(*byNumber[0]);
        const XMLElement* dot3 = PortDot(*byNumber[3]);
        const XMLElement* dot6 = PortDot(*byNumber[6]);
        ASSERT_TRUE(dot0 && dot3 && dot6);
        EXPECT_NEAR(dot0->DoubleAttribute("cx") - dot3->DoubleAttribute("cx"), 158.2 * scale, 0.2);
        if (std::string(id) == "top-view") {
            EXPECT_NEAR(dot3->DoubleAttribute("cy") - dot0->DoubleAttribute("cy"), 20 * scale, 0.2);
        } else {
            EXPECT_NEAR(dot0->DoubleAttribute("cy") - dot6->DoubleAttribute("cy"), 20 * scale, 0.2);
        }

        const auto thrusters = WithClass(*view, "thruster");
        EXPECT_EQ(thrusters.size(), 28u);
        std::set<int> indices;
        for (const XMLElement* t : thrusters) indices.insert(t->IntAttribute("data-index", -1));
        EXPECT_EQ(indices.size(), 28u);
        EXPECT_EQ(*indices.begin(), 0);
        EXPECT_EQ(*indices.rbegin(), 27);
        EXPECT_EQ(WithClass(*view, "engine").size(), 8u);
        EXPECT_EQ(WithClass(*view, "attitude").size(), 20u);
        // The main engines all thrust forward: arrows to the right, along the axis.
        for (const XMLElement* t : WithClass(*view, "engine")) {
            const XMLElement* line = t->FirstChildElement("line");
            ASSERT_NE(line, nullptr);
            EXPECT_GT(line->DoubleAttribute("x2"), line->DoubleAttribute("x1"));
            EXPECT_DOUBLE_EQ(line->DoubleAttribute("y2"), line->DoubleAttribute("y1"));
        }
    }
    // The legend: main and the twelve attitude groups, no retro and no hover.
    const auto groups = WithClass(*drawing.root, "group");
    std::set<int> types;
    for (const XMLElement* g : groups) types.insert(g->IntAttribute("data-type", -1));
    EXPECT_EQ(groups.size(), 13u);
    EXPECT_EQ(types, (std::set<int>{0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    // The scale bar is as long as it says in the views' scale.
    const XMLElement* bar = ById(*drawing.root, "scale-bar");
    const XMLElement* top = ById(*drawing.root, "top-view");
    ASSERT_TRUE(bar && top);
    EXPECT_NEAR(bar->DoubleAttribute("data-metres") * top->DoubleAttribute("data-scale"),
                bar->DoubleAttribute("data-pixels"), 1e-3);
    // The title names vessel, class and simulation time.
    const XMLElement* title = drawing.root->FirstChildElement("title");
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title->GetText(), "Pioneer (Quillmar)");
    std::string texts;
    Walk(*drawing.root, [&](const XMLElement& e) {
        if (std::string(e.Name()) == "text") texts += TextOf(e) + "\n";
    });
    EXPECT_NE(texts.find("Pioneer class Quillmar"), std::string::npos) << texts;
    EXPECT_NE(texts.find("simulation time 0.20 s"), std::string::npos) << texts;
}

// The active port is where the published airlock box is; ports 1 and 2 share theirs.
TEST_F(QuillmarDrawing, TheAirlockBoxSitsAtTheActivePort) {
    struct Case {
        int steps;
        std::set<int> active;
        const char* mark;  // data-active of the active ports
        const char* door;
    };
    const Case kCases[] = {
        {0, {0}, "yes", "closed"},  // port 0 keeps the door as it is: closed at start
        {1, {1, 2}, "maybe", "open"}, {2, {2, 1}, "maybe", "open"},
        {3, {3}, "yes", "open"},      {6, {6}, "yes", "open"},
    };
    int stepped = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE("active port after " + std::to_string(c.steps) + " steps");
        StepActivePort(c.steps - stepped);
        stepped = c.steps;
        Drawing drawing;
        ASSERT_NO_FATAL_FAILURE(Draw(drawing));
        ExpectLabelsClear(drawing);
        for (const char* id : {"top-view", "side-view", "top-detail", "side-detail"}) {
            SCOPED_TRACE(id);
            const XMLElement* view = ById(*drawing.root, id);
            ASSERT_NE(view, nullptr);
            const auto airlocks = WithClass(*view, "airlock");
            ASSERT_EQ(airlocks.size(), 1u);
            EXPECT_STREQ(airlocks[0]->Attribute("data-door"), c.door);
            EXPECT_TRUE(HasClass(*airlocks[0], c.door));
            const XMLElement* box = airlocks[0]->FirstChildElement("rect");
            ASSERT_NE(box, nullptr);
            const double x = box->DoubleAttribute("x"), y = box->DoubleAttribute("y");
            const double w = box->DoubleAttribute("width"), h = box->DoubleAttribute("height");
            std::set<int> active;
            for (const XMLElement* port : WithClass(*view, "port")) {
                const int number = port->IntAttribute("data-port", -1);
                const std::string mark = port->Attribute("data-active");
                if (mark == "no") {
                    EXPECT_FALSE(HasClass(*port, "active"));
                    continue;
                }
                active.insert(number);
                EXPECT_EQ(mark, c.mark) << "port " << number;
                const XMLElement* dot = PortDot(*port);
                ASSERT_NE(dot, nullptr);
                const double cx = dot->DoubleAttribute("cx"), cy = dot->DoubleAttribute("cy");
                EXPECT_TRUE(cx >= x && cx <= x + w && cy >= y && cy <= y + h)
                    << "port " << number << " at " << cx << "," << cy << " outside the box";
            }
            EXPECT_EQ(active, c.active);
        }
    }
}

TEST_F(QuillmarDrawing, CrewAndDockedVesselsAreMarkedWithTheirNamesEscaped) {
    StepActivePort(3);  // the airlock at port 3 opens
    ASSERT_NE(sim.CreateVessel(kAwkwardName, "UMmu"), nullptr);
    sim.Place(kAwkwardName, "Pioneer", {20, 0, 47});
    // Far away: not near the ship, so not drawn.
    ASSERT_NE(sim.CreateVessel("Faraway", "UMmu"), nullptr);
    sim.Place("Faraway", "Pioneer", {0, 0, 5000});
    sim.Run(0.1);
    Drawing drawing;
    ASSERT_NO_FATAL_FAILURE(Draw(drawing));

    const XMLElement* top = ById(*drawing.root, "top-view");
    ASSERT_NE(top, nullptr);
    const auto crew = WithClass(*top, "crew");
    ASSERT_EQ(crew.size(), 1u);
    EXPECT_EQ(std::string(crew[0]->Attribute("data-name")), kAwkwardName);
    EXPECT_NE(TextOf(*crew[0]).find(kAwkwardName), std::string::npos) << TextOf(*crew[0]);
    // At (20, 0, 47): 2 m behind port 3 (20, 0, 49), on the same side of the axis.
    const XMLElement* marker = crew[0]->FirstChildElement("polygon");
    const XMLElement* port3 = nullptr;
    for (const XMLElement* p : WithClass(*top, "port")) {
        if (p->IntAttribute("data-port") == 3) port3 = PortDot(*p);
    }
    ASSERT_TRUE(marker && port3);
    double sumX = 0, sumY = 0;
    std::istringstream points(marker->Attribute("points"));
    std::string point;
    while (points >> point) {
        sumX += std::stod(point.substr(0, point.find(',')));
        sumY += std::stod(point.substr(point.find(',') + 1));
    }
    const double scale = top->DoubleAttribute("data-scale");
    EXPECT_NEAR(sumX / 4, port3->DoubleAttribute("cx") - 2 * scale, 0.2);
    EXPECT_NEAR(sumY / 4, port3->DoubleAttribute("cy"), 0.2);

    const auto docked = WithClass(*top, "docked");
    ASSERT_EQ(docked.size(), 1u);
    EXPECT_STREQ(docked[0]->Attribute("data-name"), "Meridian");
    EXPECT_NE(TextOf(*docked[0]).find("docked at P0"), std::string::npos);
    EXPECT_EQ(ById(*drawing.root, "top-detail") != nullptr, true);
}

TEST_F(QuillmarDrawing, AnAwkwardShipNameGivesAWellFormedTitle) {
    ASSERT_NE(sim.CreateVessel(kAwkwardName, "Quillmar"), nullptr);
    sim.Run(0.1);
    const fs::path file = sim.Root() / "awkward.svg";
    sim::WriteVesselDrawing(sim, kAwkwardName, file);
    Drawing drawing;
    ASSERT_NO_FATAL_FAILURE(Parse(file, drawing));
    EXPECT_EQ(std::string(drawing.root->FirstChildElement("title")->GetText()),
              kAwkwardName + " (Quillmar)");
}

TEST(VesselDrawing, AVesselWithoutPortsOrThrustersIsACircleOfItsSize) {
    sim::Simulator simulator;
    ASSERT_NE(simulator.CreateVessel("Rock", "Rock"), nullptr);
    const fs::path file = simulator.Root() / "rock.svg";
    simulator.Execute("draw Rock rock.svg");
    Drawing drawing;
    ASSERT_NO_FATAL_FAILURE(Parse(file, drawing));
    const XMLElement* top = ById(*drawing.root, "top-view");
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(WithClass(*top, "port").empty());
    EXPECT_TRUE(WithClass(*top, "thruster").empty());
    EXPECT_TRUE(WithClass(*top, "airlock").empty());
    EXPECT_EQ(ById(*drawing.root, "top-detail"), nullptr);
    const auto hull = WithClass(*top, "hull");
    ASSERT_EQ(hull.size(), 1u);
    EXPECT_STREQ(hull[0]->Name(), "circle");
}

TEST(VesselDrawing, CommandErrors) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case kCases[] = {
        {"draw Rock", "usage: draw VESSEL FILE.svg"},
        {"draw Rock a.svg b", "usage: draw VESSEL FILE.svg"},
        {"draw Nobody a.svg", "no vessel named Nobody"},
        {"draw Rock no-such-folder/a.svg", "no-such-folder/a.svg: cannot write the drawing"},
    };
    sim::Simulator simulator;
    ASSERT_NE(simulator.CreateVessel("Rock", "Rock"), nullptr);
    for (const Case& c : kCases) {
        try {
            simulator.Execute(c.line);
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const sim::InputError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << c.line << ": " << error.what();
        }
    }
}

TEST(VesselDrawing, CommandLineOption) {
    const auto line = sim::ParseCommandLine(
        {"--draw", "Pioneer=a.svg", "--draw=Meridian=b/c.svg", "s.scn", "s.script"});
    ASSERT_EQ(line.drawings.size(), 2u);
    EXPECT_EQ(line.drawings[0].first, "Pioneer");
    EXPECT_EQ(line.drawings[0].second, fs::path("a.svg"));
    EXPECT_EQ(line.drawings[1].first, "Meridian");
    EXPECT_EQ(line.drawings[1].second, fs::path("b/c.svg"));
    for (const char* bad : {"Pioneer", "=a.svg", "Pioneer="}) {
        EXPECT_THROW(sim::ParseCommandLine({"--draw", bad, "s.scn"}), sim::InputError) << bad;
    }
}

// The example sessions as a user runs them, with drawings during and after them: the crew
// exchange draws Pioneer with a member outside its airlock (its script) and at its end; the
// station visit draws the Quillmar at the station and the station. Their labels stay clear of
// one another and of the symbols.
TEST(VesselDrawing, VesselsimDrawsTheExamplesWithLabelsClear) {
    struct Case {
        const char* example;
        const char* draws;  // the --draw options
        std::vector<const char*> files;
    };
    const Case kCases[] = {
        {"crew-exchange",
         "--draw Pioneer=after.svg --draw Meridian=meridian.svg",
         {"build/crew-exchange.svg", "after.svg", "meridian.svg"}},
        {"station-visit",
         "--draw Visitor=visitor.svg --draw Harbor=harbor.svg",
         {"visitor.svg", "harbor.svg"}},
    };
    const fs::path examples = QM_EXAMPLES;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.example);
        const fs::path folder =
            fs::temp_directory_path() /
            ("vesselsim-draw-" + std::string(c.example) + "-" + std::to_string(::getpid()));
        fs::create_directories(folder / "build");
        const std::string command = "cd '" + folder.string() + "' && '" + QM_VESSELSIM + "' '" +
                                    (examples / (std::string(c.example) + ".scn")).string() +
                                    "' '" +
                                    (examples / (std::string(c.example) + ".script")).string() +
                                    "' " + c.draws + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 0);
        for (const char* file : c.files) {
            SCOPED_TRACE(file);
            Drawing drawing;
            ASSERT_NO_FATAL_FAILURE(Parse(folder / file, drawing));
            ExpectLabelsClear(drawing);
        }
        if (std::string(c.example) == "crew-exchange") {
            Drawing after;
            ASSERT_NO_FATAL_FAILURE(Parse(folder / "after.svg", after));
            const XMLElement* top = ById(*after.root, "top-view");
            ASSERT_NE(top, nullptr);
            EXPECT_EQ(WithClass(*top, "port").size(), 7u);
            EXPECT_EQ(WithClass(*top, "thruster").size(), 28u);
            // The member who walked back in is aboard again: no crew vessel near the ship.
            EXPECT_TRUE(WithClass(*top, "crew").empty());
            // During the session the member stood outside, named beside the marker.
            Drawing during;
            ASSERT_NO_FATAL_FAILURE(Parse(folder / "build/crew-exchange.svg", during));
            const XMLElement* duringTop = ById(*during.root, "top-view");
            ASSERT_NE(duringTop, nullptr);
            EXPECT_EQ(WithClass(*duringTop, "crew").size(), 1u);
        }
        fs::remove_all(folder);
    }
}

// Every byte string becomes text an XML parser reads back as the name shown.
TEST(XmlText, EscapesMarkupControlCharactersAndBrokenUtf8) {
    struct Case {
        std::string in;
        std::string escaped;
        std::string read;  // as the parser gives it back
    };
    const std::string replacement = "\xEF\xBF\xBD";
    const Case kCases[] = {
        {"Pioneer", "Pioneer", "Pioneer"},
        {"a&b", "a&amp;b", "a&b"},
        {"<>\"'", "&lt;&gt;&quot;&apos;", "<>\"'"},
        {"&amp;", "&amp;amp;", "&amp;"},
        {std::string("a\0b", 3),
         "a\xE2\x90\x80"
         "b",
         "a\xE2\x90\x80"
         "b"},
        {"\x01\t\n\x1F", "\xE2\x90\x81\xE2\x90\x89\xE2\x90\x8A\xE2\x90\x9F",
         "\xE2\x90\x81\xE2\x90\x89\xE2\x90\x8A\xE2\x90\x9F"},
        {"\x7F", "\xE2\x90\xA1", "\xE2\x90\xA1"},
        {"\xC3\xA9\xF0\x9F\x9A\x80", "\xC3\xA9\xF0\x9F\x9A\x80", "\xC3\xA9\xF0\x9F\x9A\x80"},
        {"\xC3", replacement, replacement},                                  // cut short
        {"\xC3(", replacement + "(", replacement + "("},                     // bad follower
        {"\xC0\xAF", replacement + replacement, replacement + replacement},  // overlong
        {"\xED\xA0\x80", replacement + replacement + replacement,            // surrogate
         replacement + replacement + replacement},
        {"\xF4\x90\x80\x80", replacement + replacement + replacement + replacement,  // > U+10FFFF
         replacement + replacement + replacement + replacement},
        {"\xEF\xBF\xBE", replacement, replacement},  // U+FFFE is no XML character
        {"\xFF", replacement, replacement},
    };
    for (const Case& c : kCases) {
        const std::string escaped = sim::XmlText(c.in);
        EXPECT_EQ(escaped, c.escaped) << c.in;
        const std::string document = "<a b=\"" + escaped + "\">" + escaped + "</a>";
        tinyxml2::XMLDocument parsed;
        ASSERT_EQ(parsed.Parse(document.c_str(), document.size()), tinyxml2::XML_SUCCESS)
            << document << ": " << parsed.ErrorStr();
        EXPECT_EQ(std::string(parsed.RootElement()->Attribute("b")), c.read);
        EXPECT_EQ(TextOf(*parsed.RootElement()), c.read);
    }
}

}  // namespace
