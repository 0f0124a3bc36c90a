// Writes XML files as Fast Infoset with the reference Fast Infoset library:
// the JDK's SAX parser feeds the library's SAX serializer, comments,
// processing instructions and the document type included.
//
//   java -cp FastInfoset.jar:. XmlToFi OUTDIR FILE.xml...
//
// For each FILE.xml three documents are written to OUTDIR: FILE.utf8.fi
// (the defaults), FILE.utf16.fi (strings in UTF-16BE) and FILE.indexed.fi
// (long texts and attribute values entered in the tables too).
import com.sun.xml.fastinfoset.sax.SAXDocumentSerializer;
import java.io.File;
import java.io.FileOutputStream;
import java.io.OutputStream;
import javax.xml.parsers.SAXParserFactory;
import org.jvnet.fastinfoset.FastInfosetSerializer;
import org.xml.sax.XMLReader;

public class XmlToFi {
  public static void main(String[] args) throws Exception {
    File outDir = new File(args[0]);
    String[] variants = {"utf8", "utf16", "indexed"};
    for (int i = 1; i < args.length; ++i) {
      File in = new File(args[i]);
      String base = in.getName().replaceFirst("\\.xml$", "");
      for (String variant : variants) {
        File out = new File(outDir, base + "." + variant + ".fi");
        try (OutputStream stream = new FileOutputStream(out)) {
          SAXDocumentSerializer serializer = new SAXDocumentSerializer();
          if (variant.equals("utf16"))
            serializer.setCharacterEncodingScheme(FastInfosetSerializer.UTF_16BE);
          if (variant.equals("indexed")) {
            serializer.setMaxCharacterContentChunkSize(100000);
            serializer.setMaxAttributeValueSize(100000);
            serializer.setCharacterContentChunkMapMemoryLimit(Integer.MAX_VALUE);
            serializer.setAttributeValueMapMemoryLimit(Integer.MAX_VALUE);
          }
          serializer.setOutputStream(stream);
          SAXParserFactory factory = SAXParserFactory.newInstance();
          factory.setNamespaceAware(true);
          XMLReader reader = factory.newSAXParser().getXMLReader();
          reader.setContentHandler(serializer);
          reader.setProperty("http://xml.org/sax/properties/lexical-handler", serializer);
          reader.parse(in.toURI().toString());
        }
      }
    }
  }
}
