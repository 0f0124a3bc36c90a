// Converts a document between XML text and Fast Infoset with the reference
// Fast Infoset library, in one process, over and over: after a warm-up the
// figures are what a long-running Java service gets.
//
// Usage: java -cp FastInfoset.jar:DIR ConvertSpeed DOC.xml DOC.fi OUT_DIR [SECONDS]
// Each round reads its input file and writes its output file in OUT_DIR:
//   XML -> FI   the JDK's SAX parser feeding the reference serializer
//   FI -> XML   the reference SAX parser feeding the JDK's identity transformer
// Prints one line per direction: the best and the median time of a round after
// warming up, and MB/s of the XML text's size at the best time.
import com.sun.xml.fastinfoset.sax.SAXDocumentParser;
import com.sun.xml.fastinfoset.sax.SAXDocumentSerializer;
import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.File;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.InputStream;
import java.io.OutputStream;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import javax.xml.parsers.SAXParserFactory;
import javax.xml.transform.Transformer;
import javax.xml.transform.TransformerFactory;
import javax.xml.transform.sax.SAXSource;
import javax.xml.transform.stream.StreamResult;
import org.xml.sax.InputSource;
import org.xml.sax.XMLReader;

public final class ConvertSpeed {
  interface Round {
    void run() throws Exception;
  }

  static void xmlToFi(File in, File out) throws Exception {
    SAXParserFactory factory = SAXParserFactory.newInstance();
    factory.setNamespaceAware(true);
    XMLReader reader = factory.newSAXParser().getXMLReader();
    try (InputStream is = new BufferedInputStream(new FileInputStream(in), 1 << 16);
         OutputStream os = new BufferedOutputStream(new FileOutputStream(out), 1 << 16)) {
      SAXDocumentSerializer serializer = new SAXDocumentSerializer();
      serializer.setOutputStream(os);
      reader.setContentHandler(serializer);
      reader.setProperty("http://xml.org/sax/properties/lexical-handler", serializer);
      reader.parse(new InputSource(is));
    }
  }

  static void fiToXml(File in, File out) throws Exception {
    Transformer transformer = TransformerFactory.newInstance().newTransformer();
    try (InputStream is = new BufferedInputStream(new FileInputStream(in), 1 << 16);
         OutputStream os = new BufferedOutputStream(new FileOutputStream(out), 1 << 16)) {
      transformer.transform(new SAXSource(new SAXDocumentParser(), new InputSource(is)),
                            new StreamResult(os));
    }
  }

  static void measure(String label, long xmlBytes, double seconds, Round round) throws Exception {
    long warmUntil = System.nanoTime() + (long) (seconds * 1e9 / 2);
    while (System.nanoTime() < warmUntil) round.run();
    List<Long> times = new ArrayList<>();
    long end = System.nanoTime() + (long) (seconds * 1e9 / 2);
    do {
      long start = System.nanoTime();
      round.run();
      times.add(System.nanoTime() - start);
    } while (System.nanoTime() < end || times.size() < 5);
    Collections.sort(times);
    double best = times.get(0) / 1e9;
    double median = times.get(times.size() / 2) / 1e9;
    System.out.printf("%-12s best %7.1f ms  median %7.1f ms  %6.1f MB/s  (%d rounds)%n", label,
                      best * 1e3, median * 1e3, xmlBytes / best / 1e6, times.size());
  }

  public static void main(String[] args) throws Exception {
    File xml = new File(args[0]);
    File fi = new File(args[1]);
    File dir = new File(args[2]);
    double seconds = args.length > 3 ? Double.parseDouble(args[3]) : 20;
    long xmlBytes = xml.length();
    measure("XML -> FI", xmlBytes, seconds, () -> xmlToFi(xml, new File(dir, "java.fi")));
    measure("FI -> XML", xmlBytes, seconds, () -> fiToXml(fi, new File(dir, "java.xml")));
  }
}
