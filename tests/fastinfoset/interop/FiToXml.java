// Prints a canonical dump of XML documents, so that a Fast Infoset document
// and an XML text document can be compared infoset to infoset.
//
// Usage: java -cp FastInfoset.jar:DIR FiToXml [-prefixes] FILE...
// A file whose name ends in ".fi" is read with the Fast Infoset SAX parser,
// any other with the JDK's SAX parser. For each file the output is
//   #FILE name
//   E {namespace}local        an element start
//   A {namespace}local=value  its attributes, sorted by namespace and name
//   T text                    character data between two tags, merged
//   /E                        an element end
//   C text                    a comment
//   P target data             a processing instruction
// or "#ERROR message" when the file cannot be read. Backslash, CR, LF and tab
// are written as \\, \r, \n and \t.
// With -prefixes the names also show how they were written: before each
// element its namespace declarations, sorted, as "N prefix=namespace" (an
// empty prefix for the default namespace), and the element and attribute
// lines end in " as qualified-name", e.g. "A {urn:x}v as p:v=1".
import java.io.FileInputStream;
import java.io.InputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import javax.xml.parsers.SAXParserFactory;
import org.xml.sax.Attributes;
import org.xml.sax.InputSource;
import org.xml.sax.XMLReader;
import org.xml.sax.helpers.DefaultHandler;

public final class FiToXml {
  private static final class Dump extends DefaultHandler
      implements org.xml.sax.ext.LexicalHandler {
    private final StringBuilder out;
    private final StringBuilder text = new StringBuilder();
    private final boolean prefixes;
    private final List<String> declarations = new ArrayList<>();

    Dump(StringBuilder out, boolean prefixes) {
      this.out = out;
      this.prefixes = prefixes;
    }

    @Override
    public void startPrefixMapping(String prefix, String uri) {
      if (prefixes) declarations.add("N " + prefix + "=" + uri);
    }

    private static String escape(String s) {
      StringBuilder b = new StringBuilder(s.length());
      for (int i = 0; i < s.length(); ++i) {
        char c = s.charAt(i);
        switch (c) {
          case '\\': b.append("\\\\"); break;
          case '\n': b.append("\\n"); break;
          case '\r': b.append("\\r"); break;
          case '\t': b.append("\\t"); break;
          default: b.append(c);
        }
      }
      return b.toString();
    }

    private void flushText() {
      if (text.length() > 0) {
        out.append("T ").append(escape(text.toString())).append('\n');
        text.setLength(0);
      }
    }

    @Override
    public void startElement(String uri, String local, String qName, Attributes atts) {
      flushText();
      java.util.Collections.sort(declarations);
      for (String line : declarations) out.append(line).append('\n');
      declarations.clear();
      out.append("E {").append(uri).append('}').append(local);
      if (prefixes) out.append(" as ").append(qName);
      out.append('\n');
      List<String> lines = new ArrayList<>();
      for (int i = 0; i < atts.getLength(); ++i) {
        String q = atts.getQName(i);
        if (q != null && (q.equals("xmlns") || q.startsWith("xmlns:"))) continue;
        lines.add("A {" + atts.getURI(i) + "}" + atts.getLocalName(i)
                  + (prefixes ? " as " + q : "") + "=" + escape(atts.getValue(i)));
      }
      java.util.Collections.sort(lines);
      for (String line : lines) out.append(line).append('\n');
    }

    @Override
    public void endElement(String uri, String local, String qName) {
      flushText();
      out.append("/E\n");
    }

    @Override
    public void characters(char[] ch, int start, int length) {
      text.append(ch, start, length);
    }

    @Override
    public void processingInstruction(String target, String data) {
      flushText();
      out.append("P ").append(target).append(' ').append(escape(data)).append('\n');
    }

    @Override
    public void comment(char[] ch, int start, int length) {
      if (inDtd) return;
      flushText();
      out.append("C ").append(escape(new String(ch, start, length))).append('\n');
    }

    private boolean inDtd;
    @Override public void startDTD(String name, String publicId, String systemId) { inDtd = true; }
    @Override public void endDTD() { inDtd = false; }
    @Override public void startEntity(String name) {}
    @Override public void endEntity(String name) {}
    @Override public void startCDATA() {}
    @Override public void endCDATA() {}
  }

  private static XMLReader reader(boolean fastInfoset) throws Exception {
    XMLReader reader;
    if (fastInfoset) {
      reader = new com.sun.xml.fastinfoset.sax.SAXDocumentParser();
    } else {
      SAXParserFactory factory = SAXParserFactory.newInstance();
      factory.setNamespaceAware(true);
      reader = factory.newSAXParser().getXMLReader();
    }
    reader.setFeature("http://xml.org/sax/features/namespaces", true);
    reader.setFeature("http://xml.org/sax/features/namespace-prefixes", false);
    return reader;
  }

  public static void main(String[] args) throws Exception {
    PrintStream stdout = new PrintStream(System.out, false, StandardCharsets.UTF_8);
    boolean prefixes = false;
    for (String file : args) {
      if (file.equals("-prefixes")) {
        prefixes = true;
        continue;
      }
      StringBuilder out = new StringBuilder();
      try (InputStream in = new FileInputStream(file)) {
        XMLReader reader = reader(file.endsWith(".fi"));
        Dump dump = new Dump(out, prefixes);
        reader.setContentHandler(dump);
        reader.setProperty("http://xml.org/sax/properties/lexical-handler", dump);
        reader.parse(new InputSource(in));
      } catch (Exception e) {
        out.setLength(0);
        out.append("#ERROR ").append(e.toString().replace('\n', ' ')).append('\n');
      }
      stdout.print("#FILE " + file + "\n" + out);
    }
    stdout.flush();
  }
}
